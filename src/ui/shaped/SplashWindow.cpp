#include "ui/shaped/SplashWindow.h"

#include <QLabel>
#include <QPalette>

#include "support/FileOps.h"
#include "support/Resources.h"
#include "ui/shaped/AboutTexts.h"
#include "ui/shaped/ArtLayout.h"

namespace wakelatch {

SplashWindow::SplashWindow() : ShapedWindow(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frm_Splash"));
    setWindowTitle(QStringLiteral("Wakelatch"));
    const auto addLabel = [this](const char* name, const QString& text, const QRect& place, int points,
                                 bool bold) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(points);
        font.setBold(bold);
        label->setFont(font);
        label->setGeometry(place);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(art::kSplashTextColour));
        label->setPalette(palette);
        return label;
    };
    lbl_Programmname_ = addLabel("lbl_Programmname", QStringLiteral("Wakelatch"), art::kSplashName, 22, true);
    lbl_Programmversion_ =
        addLabel("lbl_Programmversion", QStringLiteral("Version"), art::kSplashVersion, 9, false);
    lbl_Copyright_ =
        addLabel("lbl_Copyright",
                 QString::fromUtf8(about::kCopyright.data(), static_cast<int>(about::kCopyright.size())),
                 art::kSplashCopyright, 7, false);
}

void SplashWindow::Form_Load(ProgramState& state, platform::FileSystem& files) {
    const std::string path = state.TempDirectory + files.Separator() + "pic_Splash.bmp";
    state.LastResult = sml_RES_TO_DISK::ResourceToDisk(files, resources::kSplashBitmap, path) ? 1 : 0;
    ShapeFormFromBitmap(QString::fromStdString(path));
    lbl_Programmversion_->setText(QString::fromStdString("Version " + state.ProgramVersion));
    files.Remove(path);
}

void SplashWindow::mousePressEvent(QMouseEvent* /*event*/) {
    // The splash does nothing on a click, and is not moved.
}

}  // namespace wakelatch
