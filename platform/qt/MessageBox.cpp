#include "platform/MessageBox.h"

#include "platform/AppInfo.h"

#include <QMessageBox>

namespace vq3 {

void ShowMessage(const std::string& text) {
    QMessageBox box;
    box.setWindowTitle(AppInfo::AppTitle);
    box.setIcon(QMessageBox::NoIcon);
    // File names may hold "<" or "&": never let them read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace vq3
