// The chat page: the desktop chat window's behaviour over the service's JSON
// interface. Whatever the user or Velk wrote goes into the page as text only.
"use strict";

(() => {
  const KEY = "velk.conversation";
  const REVEAL_MS = 30;
  const FLASH_MS = 2000;
  // A server that accepted the connection but never answers must not leave
  // the page waiting for ever.
  const TIMEOUT_MS = 20000;
  const GONE = "Velk has gone. New conversation starts afresh.";

  const $ = (name) => document.getElementById(name);
  const entry = $("entry");
  const line = $("line");
  const send = $("send");
  const afresh = $("afresh");
  const reply = $("reply");
  const spoken = $("reply-spoken");
  const log = $("log");
  const status = $("status");

  let id = null;
  let ended = false;
  // Bumped whenever the page turns to another conversation, so that answers
  // about the one before are dropped.
  let generation = 0;
  let sending = false;
  let starting = false;

  class ApiError extends Error {
    constructor(message, code) {
      super(message);
      this.code = code;
    }
  }

  async function api(method, path, body) {
    const controller = new AbortController();
    const timer = setTimeout(() => controller.abort(), TIMEOUT_MS);
    try {
      let response;
      try {
        response = await fetch(path, {
          method,
          headers: body === undefined ? {} : { "Content-Type": "application/json" },
          body: body === undefined ? undefined : JSON.stringify(body),
          cache: "no-store",
          signal: controller.signal,
        });
      } catch {
        throw new ApiError(
          controller.signal.aborted ? "Velk took too long to answer." : "Velk cannot be reached.", 0);
      }
      let data = null;
      try {
        data = await response.json();
      } catch {
        // Not JSON: a proxy's error page, or a cut connection.
      }
      if (!response.ok) {
        const text = data && typeof data.error === "string" && data.error
          ? data.error : `The server answered ${response.status}.`;
        throw new ApiError(text, response.status);
      }
      if (data === null || typeof data !== "object") {
        throw new ApiError("The server's answer was not understood.", response.status);
      }
      return data;
    } finally {
      clearTimeout(timer);
    }
  }

  // Storage may be off (private windows, policies); the conversation then
  // lasts as long as the page.
  function stored() {
    try {
      return localStorage.getItem(KEY);
    } catch {
      return null;
    }
  }

  function store(value) {
    try {
      localStorage.setItem(KEY, value);
    } catch {
      // See stored().
    }
  }

  // The status strip: a notice stays until the next one; a flash (such as
  // "copied") shows for a while and then gives the notice back.
  let notice = "";
  let flashTimer = 0;

  function setNotice(text) {
    notice = text;
    clearTimeout(flashTimer);
    flashTimer = 0;
    status.textContent = text;
  }

  function flash(text) {
    clearTimeout(flashTimer);
    status.textContent = text;
    flashTimer = setTimeout(() => {
      flashTimer = 0;
      status.textContent = notice;
    }, FLASH_MS);
  }

  function update() {
    const open = id !== null && !ended;
    line.disabled = !open;
    send.disabled = !open;
  }

  function addToLog(who, text) {
    const item = document.createElement("li");
    item.className = who === "Velk" ? "velk" : "user";
    const name = document.createElement("span");
    name.className = "who";
    name.textContent = `${who}: `;
    item.append(name, document.createTextNode(text));
    log.append(item);
    log.scrollTop = log.scrollHeight;
  }

  // The reveal: one more character per tick, counted in code points so that
  // no character shows in half. The reply goes to the log once it is whole,
  // not to spoil it there while it is being revealed.
  let characters = [];
  let count = 0;
  let revealTimer = 0;
  let whenWhole = null;

  function show(text) {
    reply.textContent = text;
    reply.scrollTop = reply.scrollHeight;
  }

  // The revealing text is hidden from screen readers, which would read every
  // letter; they get the reply whole at once here. Emptied first, so that the
  // same reply twice is read twice.
  let speech = 0;
  function speak(text) {
    const mine = ++speech;
    spoken.textContent = "";
    setTimeout(() => {
      if (mine === speech) spoken.textContent = text;
    }, 100);
  }

  function done() {
    clearInterval(revealTimer);
    revealTimer = 0;
    const then = whenWhole;
    whenWhole = null;
    if (then) then();
  }

  function tick() {
    if (count < characters.length) {
      count += 1;
      // A blank comes with the character before it, costing no tick.
      if (characters[count] === " ") count += 1;
      show(characters.slice(0, count).join(""));
    }
    if (count >= characters.length) done();
  }

  function finishReveal() {
    if (!revealTimer) return;
    count = characters.length;
    show(characters.join(""));
    done();
  }

  function stopReveal() {
    clearInterval(revealTimer);
    revealTimer = 0;
    whenWhole = null;
  }

  function reveal(text) {
    finishReveal();
    characters = Array.from(text);
    count = 0;
    whenWhole = () => addToLog("Velk", text);
    speak(text);
    show("");
    revealTimer = setInterval(tick, REVEAL_MS);
  }

  function gone(text) {
    ended = true;
    update();
    setNotice(text);
    afresh.focus();
  }

  function splitRecord(record) {
    const text = String(record);
    if (text.startsWith("USER:>")) return ["You", text.slice(6)];
    return ["Velk", text.startsWith("VELK:>") ? text.slice(6) : text];
  }

  function showConversation(conversation) {
    stopReveal();
    id = String(conversation.id);
    ended = Boolean(conversation.ended);
    log.replaceChildren();
    let last = "";
    for (const record of Array.isArray(conversation.records) ? conversation.records : []) {
      const [who, text] = splitRecord(record);
      addToLog(who, text);
      if (who === "Velk") last = text;
    }
    show(last);
    reply.scrollTop = 0;
    update();
    if (ended) {
      gone(GONE);
    } else {
      setNotice("");
      line.focus();
    }
  }

  async function startAfresh() {
    if (starting) return;
    starting = true;
    try {
      const conversation = await api("POST", "/api/conversations", {});
      // The conversation before stays usable until this one exists.
      generation += 1;
      sending = false;
      stopReveal();
      id = String(conversation.id);
      ended = false;
      store(id);
      log.replaceChildren();
      setNotice("");
      update();
      reveal(String(conversation.greeting ?? ""));
      line.focus();
    } catch (error) {
      setNotice(error.message);
    } finally {
      starting = false;
    }
  }

  async function load() {
    const saved = stored();
    if (saved && /^[0-9a-f]{32}$/.test(saved)) {
      const mine = generation;
      try {
        const conversation = await api("GET", `/api/conversations/${saved}`);
        if (mine === generation) showConversation(conversation);
        return;
      } catch (error) {
        if (mine !== generation) return;
        if (error.code !== 404 && error.code !== 410) {
          // Kept: the server may well be back for the next line.
          id = saved;
          update();
          setNotice(error.message);
          return;
        }
      }
    }
    await startAfresh();
  }

  entry.addEventListener("submit", async (event) => {
    event.preventDefault();
    if (sending || id === null || ended) return;
    // Line breaks and tabs pasted in become blanks, as in the window.
    const text = line.value.replace(/[\u0000-\u001f\u007f\u2028\u2029]/g, " ");
    const mine = generation;
    sending = true;
    line.value = "";
    try {
      const answer = await api("POST", `/api/conversations/${id}/lines`, { line: text });
      if (mine !== generation) return;
      finishReveal();
      if (answer.ended) {
        // The line that ends it is not kept with the conversation either.
        show("");
        gone(GONE);
      } else {
        addToLog("You", text);
        setNotice("");
        reveal(String(answer.reply ?? ""));
      }
    } catch (error) {
      if (mine !== generation) return;
      // Given back, so that it can be sent again.
      if (!line.value) line.value = text;
      if (error.code === 404 || error.code === 410) {
        gone(error.code === 410 ? GONE : `${error.message} New conversation starts afresh.`);
      } else {
        setNotice(error.message);
        line.focus();
      }
    } finally {
      if (mine === generation) sending = false;
    }
  });

  afresh.addEventListener("click", startAfresh);

  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape" && revealTimer) {
      event.preventDefault();
      finishReveal();
    }
  });

  // Without a secure origin there is no clipboard interface; a selection
  // copied the old way still works there.
  function copyBySelection(text) {
    const focused = document.activeElement;
    const area = document.createElement("textarea");
    area.className = "hidden";
    area.value = text;
    document.body.append(area);
    area.select();
    let copied = false;
    try {
      copied = document.execCommand("copy");
    } catch {
      copied = false;
    }
    area.remove();
    if (focused instanceof HTMLElement) focused.focus();
    return copied;
  }

  // A click on the reply must leave the typing in the input box.
  reply.addEventListener("mousedown", (event) => event.preventDefault());

  reply.addEventListener("click", async () => {
    const text = reply.textContent;
    let copied = false;
    try {
      await navigator.clipboard.writeText(text);
      copied = true;
    } catch {
      copied = copyBySelection(text);
    }
    flash(copied ? "Reply copied to the clipboard" : "The reply could not be copied");
  });

  load();
})();
