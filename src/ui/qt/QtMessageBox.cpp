#include "ui/qt/QtMessageBox.h"

#include <QMessageBox>

namespace wakelatch::qtui {
namespace {

QMessageBox::Icon ToQt(controls::MessageIcon icon) {
    switch (icon) {
        case controls::MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case controls::MessageIcon::Question:
            return QMessageBox::Question;
        case controls::MessageIcon::Information:
            return QMessageBox::Information;
        case controls::MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

int QtMessageBox::Show(const std::string& text, const std::string& title, controls::MessageIcon icon,
                       controls::MessageButtons buttons) {
    QString body = QString::fromStdString(text);
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(ToQt(icon), QString::fromStdString(title), body);
    box.setTextFormat(Qt::PlainText);
    if (buttons == controls::MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? controls::kAnswerYes : controls::kAnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return controls::kAnswerOk;
}

}  // namespace wakelatch::qtui
