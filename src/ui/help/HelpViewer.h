#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QListWidget;
class QTextBrowser;

namespace wakelatch::qtui {

// Opens a help file in the system's viewer for compiled help, or, where none is registered, shows the
// same pages (carried inside the program) in a window of its own.
class HelpViewer {
  public:
    HelpViewer();
    ~HelpViewer();
    void Open(const QString& helpFile);

  private:
    std::unique_ptr<QWidget> window_;
};

// The built-in help window: the pages of one language, listed on the left.
class HelpWindow final : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(const QString& language);  // "de" or "en"
    int PageCount() const;

  private:
    QListWidget* pages_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace wakelatch::qtui
