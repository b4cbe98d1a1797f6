#pragma once

#include <QDialog>
#include <QWidget>
#include <memory>
#include <string>

#include "store/catalogue.h"

class QLineEdit;
class QTabWidget;

namespace Ui {
class CAddServiceCodeDlg;
class CCopyDlg;
class CDeleteDlg;
class CHouse;
class CAgent;
}  // namespace Ui

namespace lumvex::ui {

// Asks for a new Service Code: lower case as typed, at most 8 characters.
class CAddServiceCodeDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAddServiceCodeDlg(QWidget* parent = nullptr);
  ~CAddServiceCodeDlg() override;
  std::string code() const;

 private:
  std::unique_ptr<Ui::CAddServiceCodeDlg> ui_;
};

// Asks where the selected file is copied to; OK only with a name.
class CCopyDlg : public QDialog {
  Q_OBJECT

 public:
  CCopyDlg(const store::FileEntry& entry, QWidget* parent = nullptr);
  ~CCopyDlg() override;
  // The destination as a file system name (the locale's encoding).
  std::string destination() const;
  // Keeps the dialog open, with a message, while no name is typed.
  void accept() override;

 private:
  std::unique_ptr<Ui::CCopyDlg> ui_;
};

// Asks before the selected file is deleted.
class CDeleteDlg : public QDialog {
  Q_OBJECT

 public:
  CDeleteDlg(const store::FileEntry& entry, QWidget* parent = nullptr);
  ~CDeleteDlg() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<Ui::CDeleteDlg> ui_;
  bool beeped_ = false;
};

// First page of "Data Properties": File name, Service code, Description.
class CHouse : public QWidget {
  Q_OBJECT

 public:
  CHouse(const store::FileEntry& entry, QWidget* parent = nullptr);
  ~CHouse() override;

 private:
  std::unique_ptr<Ui::CHouse> ui_;
};

// Second page: Date prepare, Date retrieve, File size.
class CAgent : public QWidget {
  Q_OBJECT

 public:
  CAgent(const store::FileEntry& entry, QWidget* parent = nullptr);
  ~CAgent() override;

 private:
  std::unique_ptr<Ui::CAgent> ui_;
};

// The "Data Properties" sheet over one file entry; read-only.
class CPropertiesSheet : public QDialog {
  Q_OBJECT

 public:
  CPropertiesSheet(const store::FileEntry& entry, QWidget* parent = nullptr);
  QTabWidget* tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_;
};

}  // namespace lumvex::ui
