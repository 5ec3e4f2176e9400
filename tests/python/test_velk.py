"""The Python module: its six calls, bad bytes, and a conversation taken up
again in a fresh interpreter."""
import subprocess
import sys
import tempfile
import threading
import unittest

import velk


class BotTest(unittest.TestCase):
    def test_seeded_conversation_and_its_end(self):
        bot = velk.Bot(seed=5)
        self.assertEqual(bot.greet(), velk.Bot(seed=5).greet())
        self.assertEqual(bot.reply("my name is John"), "hi there John.")
        self.assertFalse(bot.ended)
        self.assertEqual(bot.reply("hello. exit"), "")
        self.assertTrue(bot.ended)
        self.assertEqual(bot.reply("anyone there?"), "")

    def test_persona_and_unicode(self):
        bot = velk.Bot(persona="Tavro", seed=1)
        bot.greet()
        reply = bot.reply("my name is Zoë and I like crème brûlée")
        self.assertIsInstance(reply, str)
        self.assertIn("tavro", velk.Bot.restore(bot.save()).reply("tell me your name").lower())

    def test_restore_goes_on_alike(self):
        straight, saved = velk.Bot(seed=9), velk.Bot(seed=9)
        straight.greet(), saved.greet()
        lines = ["i like cats", "how old are you?", "what is two plus two", "i like cats"]
        for line in lines:
            again = velk.Bot.restore(saved.save())
            self.assertEqual(straight.reply(line), again.reply(line))
            saved = again
        self.assertIsInstance(saved.save(), bytes)

    def test_bad_bytes_raise_value_error(self):
        data = velk.Bot(seed=2).save()
        for bad in (b"", b"not saved", data[:-1], data[:20] + bytes([data[20] ^ 1]) + data[21:]):
            with self.assertRaises(ValueError):
                velk.Bot.restore(bad)
        with self.assertRaises(TypeError):
            velk.Bot.restore("text, not bytes")

    def test_taken_up_in_a_fresh_process(self):
        bot = velk.Bot(seed=11)
        bot.greet()
        bot.reply("my name is Ann")
        with tempfile.NamedTemporaryFile() as saved:
            saved.write(bot.save())
            saved.flush()
            script = ("import sys, velk\n"
                      "bot = velk.Bot.restore(open(sys.argv[1], 'rb').read())\n"
                      "print(bot.reply('what is my name?'))\n")
            out = subprocess.run([sys.executable, "-c", script, saved.name],
                                 capture_output=True, text=True, check=True).stdout
        self.assertEqual(out.rstrip("\n"), bot.reply("what is my name?"))

    def test_bots_on_threads(self):
        def run(seed, into):
            bot = velk.Bot(seed=seed)
            into.extend([bot.greet()] + [bot.reply("line %d" % i) for i in range(200)])

        alone = [[], []]
        run(3, alone[0])
        run(4, alone[1])
        together = [[], []]
        threads = [threading.Thread(target=run, args=(3 + i, together[i])) for i in range(2)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(alone, together)


if __name__ == "__main__":
    unittest.main()
