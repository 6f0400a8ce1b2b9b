"""The Python module over the shipped data: python3 test_quillomorph.py DATA_DIR."""
import sys
import threading

import quillomorph

data = sys.argv[1]
failures = []


def check(name, got, expected):
    if got != expected:
        failures.append(f"{name}: {got!r} != {expected!r}")


check("english", quillomorph.Transcriber("english", data).transcribe("Smith"), ["Смит"])
check("alias", quillomorph.Transcriber("de", data_dir=data).transcribe("Müller"), ["Мюллер"])
check("empty", quillomorph.Transcriber("english", data).transcribe(""), [])
russian = quillomorph.Transcriber("latn-ru", data)
check("ranked", russian.transcribe("Solovev", ranked=True)[0], russian.best("Solovev"))
check("ranked is a permutation", sorted(russian.transcribe("Solovev", ranked=True)),
      sorted(russian.transcribe("Solovev")))
check("key", quillomorph.Transcriber("ru-latn", data).key, "2translit")
check("messages", quillomorph.Transcriber("english", data).messages, [])
languages = {l.key: l for l in quillomorph.languages(data)}
check("languages", languages["polski"].code_page, 1250)
check("aliases", "en" in languages["english"].aliases, True)
try:
    quillomorph.Transcriber("klingon", data)
    failures.append("no error for a missing language")
except quillomorph.Error as error:
    check("error names the language", "klingon" in str(error), True)
check("error is a RuntimeError", issubclass(quillomorph.Error, RuntimeError), True)

results = {}


def work(key, text):
    t = quillomorph.Transcriber(key, data)
    results[key] = {tuple(t.transcribe(text)) for _ in range(50)}


threads = [threading.Thread(target=work, args=a)
           for a in (("english", "Thatcher"), ("deutsch", "Gütersloh"), ("chineese", "Beijing"))]
for t in threads:
    t.start()
for t in threads:
    t.join()
check("threads", {k: len(v) for k, v in results.items()}, {"english": 1, "deutsch": 1, "chineese": 1})

for f in failures:
    print(f)
print("python module: " + ("failed" if failures else "all checks passed"))
sys.exit(1 if failures else 0)
