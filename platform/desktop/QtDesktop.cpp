#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/desktop/Desktop.h"
#include "platform/desktop/FolderDialog.h"
#include "platform/desktop/QtText.h"
#include "platform/runtime/Failure.h"

namespace desktop {

namespace {

class QtMessageBoxes : public MessageBoxes {
  public:
    Answer Show(const Message& message) override {
        QMessageBox box;
        box.setWindowTitle(Q(message.title));
        box.setText(Q(message.text));
        box.setIcon(IconOf(message.icon));
        if (message.buttons == Buttons::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(message.defaultButton == 1 ? QMessageBox::No : QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        int result = box.exec();
        if (message.buttons == Buttons::OK)
            return Answer::OK;
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }

  private:
    static QMessageBox::Icon IconOf(Icon icon) {
        switch (icon) {
            case Icon::Critical:
                return QMessageBox::Critical;
            case Icon::Information:
                return QMessageBox::Information;
            default:
                return QMessageBox::NoIcon;
        }
    }
};

class QtWindows : public Windows {
  public:
    void BringToFront(const std::string& title) override {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isWindow() && widget->windowTitle() == Q(title)) {
                widget->raise();
                widget->activateWindow();
                return;
            }
        }
        throw rt::Failure(rt::kInvalidCall, "No window titled \"" + title + "\"");
    }
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    void SetBusyCursor(bool busy) override {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
    }
};

class QtLauncher : public Launcher {
  public:
    void Start(const std::string& program, const std::vector<std::string>& arguments) override {
        QStringList list;
        for (const auto& argument : arguments)
            list << Q(argument);
        if (!QProcess::startDetached(Q(program), list))
            throw rt::Failure(rt::kFileNotFound, "Cannot start " + program);
    }
    void Open(const std::string& target) override {
        QUrl url = QUrl::fromUserInput(Q(target));
        if (!QDesktopServices::openUrl(url))
            throw rt::Failure(rt::kFileNotFound, "No program opens " + target);
    }
    // Asks xdg-mime, which reads the same settings as xdg-email and xdg-open.
    bool HandlesScheme(const std::string& scheme) override {
        QProcess query;
        query.start("xdg-mime", {"query", "default", "x-scheme-handler/" + Q(scheme)});
        if (!query.waitForStarted(kQueryMilliseconds))
            return false;  // no xdg-utils: xdg-email is missing too
        if (!query.waitForFinished(kQueryMilliseconds)) {
            query.kill();
            query.waitForFinished();
            return true;  // no answer in time: let the handler try
        }
        return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
               !query.readAllStandardOutput().trimmed().isEmpty();
    }

  private:
    static constexpr int kQueryMilliseconds = 5000;
};

class SystemClock : public Clock {
  public:
    std::chrono::system_clock::time_point Now() override {
        return std::chrono::system_clock::now();
    }
};

class SystemPaths : public Paths {
  public:
    std::filesystem::path ProgramFolder() override {
        auto folder = ExecutableFolder();
        if (!folder.empty())
            return folder;
        return QCoreApplication::applicationDirPath().toStdString();
    }
    std::filesystem::path TempFolder() override { return std::filesystem::temp_directory_path(); }
    std::filesystem::path StoreRoot() override { return StoreRootFromEnvironment(); }
};

// One generator for the whole process, on its default (fixed) seed, as the classic
// runtime's sequence is until someone seeds it.
class ProcessRandom : public Random {
  public:
    double Next() override { return distribution_(generator_); }

  private:
    std::mt19937 generator_;
    std::uniform_real_distribution<double> distribution_{0.0, 1.0};
};

class ImmediateExit : public ProcessExit {
  public:
    [[noreturn]] void Exit(int status) override {
        std::fflush(nullptr);
        std::_Exit(status);
    }
};

}  // namespace

Platform ProductPlatform() {
    return Platform{std::make_shared<QtMessageBoxes>(), std::make_shared<QtWindows>(),
                    std::make_shared<QtLauncher>(),     std::make_shared<SystemClock>(),
                    std::make_shared<SystemPaths>(),    std::make_shared<ImmediateExit>(),
                    std::make_shared<ProcessRandom>(),  MakeFolderDialog()};
}

}  // namespace desktop
