// The Python module `velk`: one class, Bot, over velk::Bot.
//
//   >>> import velk
//   >>> bot = velk.Bot(seed=1)
//   >>> bot.greet()
//   'what is on your mind?'
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <optional>
#include <string>

#include "velk/bot.h"
#include "velk/version.h"

namespace py = pybind11;

namespace {

// Replies are UTF-8 whenever the lines were; bytes that are not come out
// replaced rather than failing the call.
py::str Text(const std::string& bytes) {
  PyObject* text =
      PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "replace");
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

// Runs `call` on the bot without the interpreter's lock, so that other
// Python threads run meanwhile, and gives its text back as a str.
template <typename Call>
py::str Unlocked(Call call) {
  std::string text;
  {
    py::gil_scoped_release unlocked;
    text = call();
  }
  return Text(text);
}

velk::Bot Restore(const py::bytes& data) {
  try {
    return velk::Bot::Restore(std::string_view(data));
  } catch (const velk::RestoreError& error) {
    throw py::value_error(error.what());
  }
}

}  // namespace

PYBIND11_MODULE(velk, module) {
  module.doc() = "Velk, a chatterbot with a cheeky British voice, as a library.";
  module.attr("__version__") = VELK_VERSION;

  py::class_<velk::Bot>(module, "Bot",
                        "One conversation with the persona. Bots share nothing; each may be used "
                        "by one thread at a time.")
      .def(py::init([](std::optional<std::uint32_t> seed, const std::string& persona) {
             return velk::Bot({.Seed = seed, .Persona = persona});
           }),
           py::arg("seed") = py::none(), py::arg("persona") = "Velk",
           "A new conversation. A fixed seed gives the same replies to the same lines; "
           "without one the bot is seeded from the clock.")
      .def(
          "greet", [](velk::Bot& bot) { return Unlocked([&] { return bot.Greet(); }); },
          "The opening greeting.")
      .def(
          "reply",
          [](velk::Bot& bot, const std::string& line) {
            return Unlocked([&] { return bot.Reply(line); });
          },
          py::arg("line"),
          "The reply to one line. A line holding the sentence 'exit' ends the conversation: "
          "its reply, and every later one, is empty.")
      .def_property_readonly("ended", &velk::Bot::Ended, "True once the conversation has ended.")
      .def(
          "save", [](const velk::Bot& bot) { return py::bytes(bot.Save()); },
          "The whole conversation as bytes, for Bot.restore.")
      .def_static("restore", &Restore, py::arg("data"),
                  "A bot that goes on as the saved one would. Raises ValueError for bytes that "
                  "are not a saved conversation, are truncated or corrupted, or are newer than "
                  "this module reads.");
}
