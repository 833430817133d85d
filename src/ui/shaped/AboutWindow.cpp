#include "ui/shaped/AboutWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "support/FileOps.h"
#include "support/Resources.h"
#include "ui/shaped/AboutTexts.h"
#include "ui/shaped/ArtLayout.h"

namespace wakelatch {
namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

AboutWindow::AboutWindow(ProgramState& state, platform::FileSystem& files, platform::Programs& programs,
                         controls::MessageBoxService& messages, QWidget* owner)
    : ShapedWindow(owner, Qt::Dialog),
      state_(state),
      files_(files),
      programs_(programs),
      messages_(messages) {
    setObjectName(QStringLiteral("frm_About"));
    setWindowTitle(QStringLiteral("Info Wakelatch"));
    lbl_Name_ = AddLabel("lbl_Name", QStringLiteral("Wakelatch"), art::kAboutName);
    QFont nameFont = lbl_Name_->font();
    nameFont.setPointSize(20);
    nameFont.setBold(true);
    lbl_Name_->setFont(nameFont);
    lbl_Version_ = AddLabel("lbl_Version", QStringLiteral("Version"), art::kAboutVersion);
    lbl_Beschreibung_ =
        AddLabel("lbl_Beschreibung", QStringLiteral("Anwendungsbeschreibung"), art::kAboutDescription);
    lbl_Warnung_ = AddLabel("lbl_Warnung", QString(), art::kAboutNotice);
    lbl_Copyright_ = AddLabel("lbl_Copyright", QString(), art::kAboutCopyright);
    for (QLabel* text : {lbl_Beschreibung_, lbl_Warnung_}) {
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    cmdSysInfo_ = new QPushButton(QStringLiteral("&System-Info..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setGeometry(art::kAboutSysInfoButton);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(art::kAboutOkButton);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutWindow::StartSysInfo);
}

QLabel* AboutWindow::AddLabel(const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setStyleSheet(art::kAboutTextStyle);
    DragBy(label);
    return label;
}

void AboutWindow::Form_Load() {
    const std::string path = state_.TempDirectory + files_.Separator() + "pic_Info.bmp";
    state_.LastResult = sml_RES_TO_DISK::ResourceToDisk(files_, resources::kAboutBitmap, path) ? 1 : 0;
    ShapeFormFromBitmap(QString::fromStdString(path));
    files_.Remove(path);
    lbl_Name_->setText(QStringLiteral("Wakelatch"));
    lbl_Version_->setText(QString::fromStdString("Version " + state_.ProgramVersion));
    lbl_Copyright_->setText(FromView(about::kCopyright));
    lbl_Beschreibung_->setText(FromView(about::Description(state_.Language)));
    lbl_Warnung_->setText(FromView(about::Notice(state_.Language)));
}

void AboutWindow::Exec() {
    setWindowModality(Qt::ApplicationModal);
    CentreOnScreen();
    show();
    QEventLoop loop;
    connect(this, &AboutWindow::closed, &loop, &QEventLoop::quit);
    loop.exec();
}

void AboutWindow::cmdOK_Click() {
    close();
}

void AboutWindow::StartSysInfo() {
    about::StartSysInfo(programs_, messages_, state_.Language);
}

// Without a title bar the keyboard is the other way out: Escape, or Enter for the default button OK.
void AboutWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            cmdOK_Click();
            return;
        default:
            ShapedWindow::keyPressEvent(event);
    }
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace wakelatch
