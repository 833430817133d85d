#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/Programs.h"

class QListWidget;
class QTextBrowser;

namespace wakelatch::qtui {

class HelpWindow;

// Opens a help file in the system's viewer for compiled help, or, where there is none or the file is
// missing, shows the same pages (carried inside the program) in a window of its own.
class HelpViewer {
  public:
    explicit HelpViewer(platform::Programs& programs) : programs_(programs) {}
    void Open(const QString& helpFile);

  private:
    platform::Programs& programs_;
    QPointer<HelpWindow> window_;
};

// The built-in help window: the pages of one language in the order of its table of contents.
class HelpWindow final : public QWidget {
    Q_OBJECT

  public:
    HelpWindow(const QString& language, QWidget* parent);  // "de" or "en"
    const QString& Language() const { return language_; }
    int PageCount() const;
    QString PageTitle(int row) const;

  private:
    QString language_;
    QListWidget* pages_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace wakelatch::qtui
