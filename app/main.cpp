// quillomorph: the window. Finds the folder of the language files (--data DIR, then the
// environment variable QUILLOMORPH_DATA, then the installation's share/quillomorph/data, then,
// for a program in its build tree, the data folder of its sources), makes it the working
// directory, since the form loads its files from there, and shows the form.
#include "app/Application.h"
#include "app/Interface.h"
#include "app/MessageBoxes.h"
#include "facade/DataSearch.h"

#include <quillomorph/quillomorph.h>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>

#include <getopt.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char Usage[] =
    "Usage: quillomorph [OPTION]...\n"
    "Shows the QuilloMorph window: type a foreign name, pick its language, and read it\n"
    "written in Russian (or Russian in Latin letters).\n"
    "\n"
    "  -d, --data=DIR   folder of the language files (default: the environment variable\n"
    "                   QUILLOMORPH_DATA, else the installed share/quillomorph/data)\n"
    "  -h, --help       print this text and exit\n"
    "  -V, --version    print the version and the data folder in use, and exit\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted as well.\n";

void TryHelp(const std::string& problem) {
    std::fprintf(stderr, "quillomorph: %s\nTry 'quillomorph --help' for more information.\n",
                 problem.c_str());
}

struct Arguments {
    bool help = false;
    bool version = false;
    std::string dataDir;
};

// --help and --version, and the folder they report, are looked for before Qt, which needs a
// display, sees the command line; the options are parsed fully once Qt has taken its own.
Arguments PreScan(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--") == 0) break;
        if (std::strcmp(a, "-h") == 0 || std::strcmp(a, "--help") == 0) arguments.help = true;
        if (std::strcmp(a, "-V") == 0 || std::strcmp(a, "--version") == 0) arguments.version = true;
        if (std::strncmp(a, "--data=", 7) == 0) arguments.dataDir = a + 7;
        if ((std::strcmp(a, "--data") == 0 || std::strcmp(a, "-d") == 0) && i + 1 < argc)
            arguments.dataDir = argv[++i];
    }
    return arguments;
}

// The options left once Qt has taken its own; false after a usage error was reported.
bool Parse(int argc, char** argv, Arguments& arguments) {
    static const option Long[] = {
        {"data", required_argument, nullptr, 'd'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {nullptr, 0, nullptr, 0},
    };
    opterr = 0;
    for (;;) {
        const int c = getopt_long(argc, argv, ":d:hV", Long, nullptr);
        if (c == -1) break;
        const std::string arg = optind > 0 && optind <= argc ? argv[optind - 1] : "";
        switch (c) {
        case 'd':
            arguments.dataDir = optarg;
            break;
        case 'h':
        case 'V':
            break;
        case ':':
            TryHelp("option " + arg + " needs a value");
            return false;
        default:
            TryHelp("unknown option: " + arg);
            return false;
        }
    }
    if (optind < argc) {
        TryHelp(std::string("unexpected argument: ") + argv[optind]);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments = PreScan(argc, argv);
    if (arguments.help) {
        std::fputs(Usage, stdout);
        return std::fflush(stdout) == 0 ? 0 : 4;
    }
    if (arguments.version) {
        const std::string dataDir =
            arguments.dataDir.empty() ? quillomorph::DefaultDataDir() : arguments.dataDir;
        std::printf("quillomorph %s\ndata: %s\n", quillomorph::Version(),
                    dataDir.empty() ? "none found" : dataDir.c_str());
        return std::fflush(stdout) == 0 ? 0 : 4;
    }

    QApplication application(argc, argv);
    if (!Parse(argc, argv, arguments)) return 2;
    SetUpApplication(application);
    QApplication::setDesktopFileName("quillomorph");
    QApplication::setWindowIcon(QIcon::fromTheme("quillomorph"));

    const std::string dataDir =
        arguments.dataDir.empty() ? quillomorph::DefaultDataDir() : arguments.dataDir;
    if (!HoldsLanguages(dataDir) || !QDir::setCurrent(QString::fromStdString(dataDir))) {
        std::fprintf(stderr,
                     "quillomorph: %s; name the folder of the language files with --data DIR "
                     "or QUILLOMORPH_DATA\n",
                     dataDir.empty() ? "no folder with languages was found"
                                     : ("no languages in " + dataDir).c_str());
        const QString what =
            dataDir.empty() ? QString::fromUtf8("Не найдена папка с языковыми файлами QuilloMorph.")
                            : QString::fromUtf8("В папке %1 нет языковых файлов QuilloMorph.")
                                  .arg(QDir::toNativeSeparators(QString::fromStdString(dataDir)));
        QMessageBox box(QMessageBox::Warning, ApplicationCaption,
                        what + QString::fromUtf8("\n\nУкажите папку при запуске: quillomorph "
                                                 "--data ПАПКА, или в переменной среды "
                                                 "QUILLOMORPH_DATA. Установленная программа "
                                                 "берёт её из share/quillomorph/data рядом со "
                                                 "своей папкой bin."),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }

    InstallMessageBoxes();
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}
