#pragma once
#include <QDialog>
#include "app/recovery_options.h"
#include "storage/collation_map.h"
namespace pellora::ui {
class OpenOptionsDialog : public QDialog { public:
  OpenOptionsDialog(RecoveryOptions& options, const CollationMap& collations, QWidget* parent = nullptr) : QDialog(parent) { (void)options; (void)collations; } };
}
