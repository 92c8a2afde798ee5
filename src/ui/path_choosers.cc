#include "ui/path_choosers.h"

#include <QFileDialog>
#include <QFileInfo>

namespace pellora::ui {

QString chooseDataFile(QWidget* parent, const QString& current) {
  const QString start = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
  // Linux names are case sensitive, so the pattern spells out every case of
  // the extension; the filter's details are hidden to keep its name short.
  return QFileDialog::getOpenFileName(parent, QObject::tr("Select Corrupted MDF file"), start,
                                      QObject::tr(".mdf Files (*.[mM][dD][fF])"), nullptr,
                                      QFileDialog::HideNameFilterDetails);
}

QString chooseLogFolder(QWidget* parent, const QString& current) {
  return QFileDialog::getExistingDirectory(parent, QObject::tr("Select location to save Log file(s)."),
                                           current, QFileDialog::ShowDirsOnly);
}

}  // namespace pellora::ui
