#include "ui/help/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

#include "ui/tray/HourglassPicture.h"

namespace wakelatch::qtui {
namespace {

QString ReadText(const QString& resource) {
    QFile file(resource);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The title of a page, without the program's name that every page title begins with.
QString TitleOf(const QString& resource) {
    const auto match = QRegularExpression(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption)
                           .match(ReadText(resource));
    if (!match.hasMatch()) {
        return QFileInfo(resource).baseName();
    }
    QString title = match.captured(1).trimmed();
    title.remove(QRegularExpression(QStringLiteral("^Wakelatch\\s*-\\s*")));
    return title;
}

// The pages as the table of contents lists them ("de/overview.html", ...).
QStringList PagesInContentsOrder(const QString& language) {
    const QString contents =
        ReadText(language == QStringLiteral("de") ? QStringLiteral(":/help/wakelatch_help_german.hhc")
                                                  : QStringLiteral(":/help/wakelatch_help_english.hhc"));
    QStringList pages;
    auto matches = QRegularExpression(QStringLiteral("name=\"Local\"\\s+value=\"([^\"]+)\""),
                                      QRegularExpression::CaseInsensitiveOption)
                       .globalMatch(contents);
    while (matches.hasNext()) {
        const QString page = matches.next().captured(1);
        if (!pages.contains(page)) {
            pages << page;
        }
    }
    return pages;
}

}  // namespace

void HelpViewer::Open(const QString& helpFile) {
    if (programs_.OpenHelpFile(helpFile.toStdString())) {
        return;
    }
    const QString language = QFileInfo(helpFile).fileName().contains(QStringLiteral("german"))
                                 ? QStringLiteral("de")
                                 : QStringLiteral("en");
    if (window_ && window_->Language() == language) {
        window_->show();
        window_->raise();
        window_->activateWindow();
        return;
    }
    if (window_) {
        window_->close();
    }
    // Under a modal window (options, About) only its own children take input: the help becomes one.
    window_ = new HelpWindow(language, QApplication::activeModalWidget());
    window_->show();
    window_->raise();
}

HelpWindow::HelpWindow(const QString& language, QWidget* parent)
    : QWidget(parent, Qt::Window), language_(language) {
    SetUpProgramWindow(this, "HelpWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(language == QStringLiteral("de") ? QStringLiteral("Wakelatch – Anleitung")
                                                    : QStringLiteral("Wakelatch – Help"));
    resize(860, 580);
    auto* layout = new QHBoxLayout(this);
    pages_ = new QListWidget(this);
    pages_->setObjectName(QStringLiteral("HelpPages"));
    pages_->setFixedWidth(250);
    pages_->setWordWrap(true);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpPage"));
    browser_->setSearchPaths({QStringLiteral(":/help/") + language});
    layout->addWidget(pages_);
    layout->addWidget(browser_, 1);

    for (const QString& page : PagesInContentsOrder(language)) {
        const QString resource = QStringLiteral(":/help/") + page;
        auto* item = new QListWidgetItem(TitleOf(resource), pages_);
        item->setToolTip(item->text());
        item->setData(Qt::UserRole, QUrl(QStringLiteral("qrc") + resource));
    }
    connect(pages_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { browser_->setSource(item->data(Qt::UserRole).toUrl()); });
    // The list follows the links between the pages.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) {
        for (int row = 0; row < pages_->count(); ++row) {
            if (pages_->item(row)->data(Qt::UserRole).toUrl().path() == source.path()) {
                pages_->setCurrentRow(row);
            }
        }
    });
    if (pages_->count() > 0) {
        browser_->setSource(pages_->item(0)->data(Qt::UserRole).toUrl());
    }
}

int HelpWindow::PageCount() const {
    return pages_->count();
}

QString HelpWindow::PageTitle(int row) const {
    return pages_->item(row)->text();
}

}  // namespace wakelatch::qtui
