// The platform's file and folder browsers as the open dialog uses them.
#pragma once

#include <QString>

class QWidget;

namespace pellora::ui {

// An existing .mdf file (any letter case of the extension), starting in the
// folder of `current`; empty when cancelled.
QString chooseDataFile(QWidget* parent, const QString& current);

// A folder for the log files, starting at `current`; empty when cancelled.
QString chooseLogFolder(QWidget* parent, const QString& current);

}  // namespace pellora::ui
