// avigram-qt: Avigram's windows on the desktop.
//   avigram-qt                 opens the main window; a carcass file name handed over (ReadMe.txt
//                              beside the program, or the clipboard) is loaded at once
//   avigram-qt --batch ...     runs the batch front end (the avigram program beside this one)
//   avigram-qt --save-icon F   writes the program's icon to F (PNG) and ends
// The report files are written to the current folder.
#include <QApplication>
#include <QDir>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/qt/avigram_desktop.h"
#include "app/qt/flock_window.h"

namespace {

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

int RunBatch(int argc, char** argv) {
    std::filesystem::path folder = ProgramFolder();
    for (const std::filesystem::path& candidate : {folder / "avigram", folder / ".." / "batch" / "avigram"}) {
        if (!std::filesystem::exists(candidate)) continue;
        std::vector<char*> args;
        std::string program = candidate.string();
        args.push_back(program.data());
        for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
        args.push_back(nullptr);
        execv(program.c_str(), args.data());
    }
    std::fprintf(stderr, "avigram-qt: the batch front end (avigram) is not installed beside this program\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--batch") return RunBatch(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Avigram");
    QApplication::setDesktopFileName("avigram");
    QApplication::setWindowIcon(avigram::AvigramIcon());
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--save-icon")
            return avigram::AvigramIcon().pixmap(128, 128).save(QString::fromLocal8Bit(argv[i + 1])) ? 0 : 1;

    avigram::FormsEnvironment env;
    env.programFolder = ProgramFolder().string();
    env.reportFolder = QDir::currentPath().toStdString();
    avigram::AvigramDesktop desktop(env);
    desktop.Start();
    return app.exec();
}
