#include "ui/help/HelpViewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

#include <algorithm>

#include "ui/tray/HourglassPicture.h"

namespace wakelatch::qtui {
namespace {

// Whether the desktop has a program for compiled help files.
bool ViewerRegistered() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("application/vnd.ms-htmlhelp")});
    return query.waitForFinished(3000) && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

QString PageTitle(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return QFileInfo(resource).baseName();
    }
    const QString html = QString::fromUtf8(file.readAll());
    const auto match = QRegularExpression(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption)
                           .match(html);
    if (!match.hasMatch()) {
        return QFileInfo(resource).baseName();
    }
    QString title = match.captured(1).trimmed();
    title.remove(QRegularExpression(QStringLiteral("^Wakelatch\\s*-\\s*")));  // every page has it
    return title;
}

}  // namespace

HelpViewer::HelpViewer() = default;
HelpViewer::~HelpViewer() = default;

void HelpViewer::Open(const QString& helpFile) {
    if (QFile::exists(helpFile) && ViewerRegistered() &&
        QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile))) {
        return;
    }
    window_ = std::make_unique<HelpWindow>(
        helpFile.contains(QStringLiteral("german")) ? QStringLiteral("de") : QStringLiteral("en"));
    window_->show();
    window_->raise();
}

HelpWindow::HelpWindow(const QString& language) {
    SetUpProgramWindow(this, "HelpWindow");
    setWindowTitle(language == QStringLiteral("de") ? QStringLiteral("Wakelatch – Anleitung")
                                                    : QStringLiteral("Wakelatch – Help"));
    resize(820, 560);
    auto* layout = new QHBoxLayout(this);
    pages_ = new QListWidget(this);
    pages_->setObjectName(QStringLiteral("HelpPages"));
    pages_->setMaximumWidth(220);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpPage"));
    browser_->setOpenExternalLinks(false);
    layout->addWidget(pages_);
    layout->addWidget(browser_, 1);

    const QDir folder(QStringLiteral(":/help/") + language);
    QStringList files =
        folder.entryList({QStringLiteral("*.html"), QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
    // The overview first, the rest in name order.
    std::stable_partition(files.begin(), files.end(), [](const QString& name) {
        return name.startsWith(QStringLiteral("overview")) || name.startsWith(QStringLiteral("index"));
    });
    for (const QString& name : files) {
        auto* item = new QListWidgetItem(PageTitle(folder.filePath(name)), pages_);
        item->setData(Qt::UserRole, QStringLiteral("qrc") + folder.filePath(name));
    }
    connect(pages_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr) {
            browser_->setSource(QUrl(item->data(Qt::UserRole).toString()));
        }
    });
    if (pages_->count() > 0) {
        pages_->setCurrentRow(0);
    }
}

int HelpWindow::PageCount() const {
    return pages_->count();
}

}  // namespace wakelatch::qtui
