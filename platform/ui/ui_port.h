// The port through which the system talks to a person: errors, yes/no
// questions, pick lists, the search dialog, the busy indicator and modal
// forms. The desktop implements it with Qt; tests and the script driver use
// ScriptedUi. Nothing behind this port may be assumed to be a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zor::plat {

class TForm;

// A pick list: a title, the visible columns under their labels, and the rows
// as display texts in column order.
struct PickListRequest {
  std::string Title;
  std::vector<std::string> ColumnLabels;
  std::vector<std::vector<std::string>> Rows;
  int CurrentRow = 0;  // 0-based row the list opens on
};

// The search dialog: the fields one may search by (label and field name).
struct SearchRequest {
  std::string Title;
  std::vector<std::string> FieldLabels;
  std::vector<std::string> FieldNames;
};

struct SearchAnswer {
  std::string FieldName;
  std::string Value;
};

class UiPort {
 public:
  virtual ~UiPort() = default;
  // Shows an error; returns when the person has read it.
  virtual void ShowError(const std::string& caption, const std::string& text) = 0;
  // Shows an information message.
  virtual void ShowInfo(const std::string& caption, const std::string& text) = 0;
  // A yes/no question; true for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // The chosen 0-based row, or nothing when the person cancelled.
  virtual std::optional<int> PickRow(const PickListRequest& request) = 0;
  virtual std::optional<SearchAnswer> Search(const SearchRequest& request) = 0;
  // Busy indicator over the main window; kinds are animation styles.
  virtual void ShowBusy(int kind) = 0;
  virtual void HideBusy() = 0;
  // Runs a form modally and returns its modal result.
  virtual int RunModal(TForm& form) = 0;
  // Shows a document the program wrote (a report), offering to print it;
  // with `print` the printing starts at once. False when the port has no
  // viewer (headless): the document stays where it was written, and the
  // caller says where.
  virtual bool ShowDocument(const std::string& caption, const std::string& path, bool print) {
    (void)caption, (void)path, (void)print;
    return false;
  }
  // Opens the help page of a screen, named by its screen code; headless
  // ports have no pages to show.
  virtual void ShowHelp(const std::string& screenCode) { (void)screenCode; }
};

// The port in use; a ScriptedUi until the host installs another.
UiPort& Ui();
// Installs a port (not owned); null restores the default scripted one.
void SetUi(UiPort* port);

}  // namespace zor::plat
