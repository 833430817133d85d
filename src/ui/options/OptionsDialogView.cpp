#include "ui/options/OptionsDialogView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/options/Flags.h"
#include "ui/tray/HourglassPicture.h"

namespace wakelatch {

OptionsDialogView::OptionsDialogView(QWidget* parent) : QDialog(parent) {
    qtui::SetUpProgramWindow(this, "frm_Options");

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* hint = new QLabel(QStringLiteral("lbl_TEXT_Hinweis"), this);
    hint->setObjectName(QStringLiteral("lbl_TEXT_Hinweis"));
    hint->setWordWrap(true);
    hint->setFixedWidth(380);
    texts_.Add(hint->objectName(), std::make_unique<qtui::QtLabel>(hint));
    layout->addWidget(hint);

    auto* options = new QGroupBox(QStringLiteral("fra_Optionen"), this);
    options->setObjectName(QStringLiteral("fra_Optionen"));
    texts_.Add(options->objectName(), std::make_unique<qtui::QtFrameTitle>(options));
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(AddCheckBox("chk_Autostart", options));
    optionsLayout->addWidget(AddCheckBox("chk_Traystart", options));
    optionsLayout->addWidget(AddCheckBox("chk_StartNetDrive", options));
    auto* formatHeading = new QLabel(QStringLiteral("lbl_HINWEIS_Laufwerkbzeichnung"), options);
    formatHeading->setObjectName(QStringLiteral("lbl_HINWEIS_Laufwerkbzeichnung"));
    texts_.Add(formatHeading->objectName(), std::make_unique<qtui::QtLabel>(formatHeading));
    optionsLayout->addSpacing(6);
    optionsLayout->addWidget(formatHeading);
    // The two format buttons are one group: choosing one clears the other.
    optionsLayout->addWidget(AddOption("opt_DRIVE_Name(1)", options));
    optionsLayout->addWidget(AddOption("opt_DRIVE_Name(0)", options));
    layout->addWidget(options);

    auto* language = new QGroupBox(QStringLiteral("fra_Language"), this);
    language->setObjectName(QStringLiteral("fra_Language"));
    texts_.Add(language->objectName(), std::make_unique<qtui::QtFrameTitle>(language));
    auto* languageLayout = new QHBoxLayout(language);
    const auto addLanguage = [&](const char* optionName, const char* flagName, const QIcon& flag) {
        QRadioButton* option = AddOption(optionName, language);
        option->setAutoExclusive(false);  // the dialog keeps the language buttons exclusive itself
        auto* picture = new QToolButton(language);
        picture->setObjectName(QString::fromLatin1(flagName));
        picture->setIcon(flag);
        picture->setIconSize(qtui::kFlagSize);
        picture->setAutoRaise(true);
        picture->setCursor(Qt::PointingHandCursor);
        languageLayout->addWidget(option);
        languageLayout->addWidget(picture);
        languageLayout->addSpacing(18);
        return picture;
    };
    img_FLAG_GERMANY_ = addLanguage("opt_GERMANY", "img_FLAG_GERMANY", qtui::GermanFlag());
    img_FLAG_ENGLISCH_ = addLanguage("opt_ENGLISCH", "img_FLAG_ENGLISCH", qtui::EnglishFlag());
    languageLayout->addStretch(1);
    layout->addWidget(language);

    auto* buttons = new QHBoxLayout;
    cmd_Speichern_ = new QPushButton(QStringLiteral("cmd_Speichern"), this);
    cmd_Speichern_->setObjectName(QStringLiteral("cmd_Speichern"));
    cmd_Speichern_->setAutoDefault(false);
    cmd_Beenden_ = new QPushButton(QStringLiteral("cmd_Beenden"), this);
    cmd_Beenden_->setObjectName(QStringLiteral("cmd_Beenden"));
    cmd_Beenden_->setAutoDefault(false);
    texts_.Add(cmd_Beenden_->objectName(), std::make_unique<qtui::QtButtonText>(cmd_Beenden_));
    save_ = std::make_unique<qtui::QtCommandButton>(cmd_Speichern_);
    texts_.Add(cmd_Speichern_->objectName(), std::make_unique<qtui::QtButtonText>(cmd_Speichern_));
    buttons->addStretch(1);
    buttons->addWidget(cmd_Speichern_);
    buttons->addWidget(cmd_Beenden_);
    layout->addLayout(buttons);

    window_ = std::make_unique<qtui::QtFormWindow>(this);
}

OptionsDialogView::~OptionsDialogView() = default;

QCheckBox* OptionsDialogView::AddCheckBox(const char* name, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(name), parent);
    box->setObjectName(QString::fromLatin1(name));
    toggles_[name] = std::make_unique<qtui::QtToggle>(box);
    texts_.Add(box->objectName(), std::make_unique<qtui::QtToggle>(box));
    buttons_[name] = box;
    return box;
}

QRadioButton* OptionsDialogView::AddOption(const char* name, QWidget* parent) {
    auto* option = new QRadioButton(parent);
    option->setObjectName(QString::fromLatin1(name));
    const std::string key = name;
    // The language buttons show no text: the flag beside each names its language.
    if (key.rfind("opt_DRIVE_Name", 0) == 0) {
        option->setText(QString::fromLatin1(name));
        texts_.Add(option->objectName(), std::make_unique<qtui::QtToggle>(option));
    }
    toggles_[name] = std::make_unique<qtui::QtToggle>(option);
    buttons_[name] = option;
    return option;
}

frm_Options::Controls OptionsDialogView::Controls() {
    return {*window_,
            *toggles_["chk_Autostart"],
            *toggles_["chk_Traystart"],
            *toggles_["chk_StartNetDrive"],
            *toggles_["opt_DRIVE_Name(0)"],
            *toggles_["opt_DRIVE_Name(1)"],
            *toggles_["opt_GERMANY"],
            *toggles_["opt_ENGLISCH"],
            *save_,
            texts_};
}

void OptionsDialogView::Connect(frm_Options& form) {
    const auto onClick = [this](const char* name, std::function<void()> handler) {
        connect(buttons_[name], &QAbstractButton::clicked, this,
                [handler = std::move(handler)] { handler(); });
    };
    onClick("chk_Autostart", [&form] { form.chk_Autostart_Click(); });
    onClick("chk_Traystart", [&form] { form.chk_Traystart_Click(); });
    onClick("chk_StartNetDrive", [&form] { form.chk_StartNetDrive_Click(); });
    onClick("opt_DRIVE_Name(0)", [&form] { form.opt_DRIVE_Name_Click(0); });
    onClick("opt_DRIVE_Name(1)", [&form] { form.opt_DRIVE_Name_Click(1); });
    onClick("opt_GERMANY", [&form] { form.opt_GERMANY_Click(); });
    onClick("opt_ENGLISCH", [&form] { form.opt_ENGLISCH_Click(); });
    connect(img_FLAG_GERMANY_, &QToolButton::clicked, this, [&form] { form.img_FLAG_GERMANY_Click(); });
    connect(img_FLAG_ENGLISCH_, &QToolButton::clicked, this, [&form] { form.img_FLAG_ENGLISCH_Click(); });
    connect(cmd_Speichern_, &QPushButton::clicked, this, [&form] { form.cmd_Speichern_Click(); });
    connect(cmd_Beenden_, &QPushButton::clicked, this, [&form] { form.cmd_Beenden_Click(); });
    queryUnload_ = [&form] { return form.Form_QueryUnload(); };
}

void OptionsDialogView::CentreOnScreen() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void OptionsDialogView::CloseWithoutAsking() {
    asking_ = false;
    close();
}

void OptionsDialogView::closeEvent(QCloseEvent* event) {
    if (asking_ && queryUnload_ && queryUnload_()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);  // ends the modal loop; QDialog's own handling would ask reject() again
}

void OptionsDialogView::reject() {
    close();
}

}  // namespace wakelatch
