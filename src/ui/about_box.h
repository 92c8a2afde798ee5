#pragma once
#include <QDialog>
namespace pellora::ui {
class AboutBox : public QDialog { public: explicit AboutBox(QWidget* parent = nullptr) : QDialog(parent) {} };
}
