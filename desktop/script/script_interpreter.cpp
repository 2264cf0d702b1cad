// Replaying a script on the platform's controls (see script_interpreter.h).
#include "desktop/script/script_interpreter.h"

#include <algorithm>

#include "desktop/script/caller_form.h"
#include "desktop/script/caption_lookup.h"
#include "desktop/script/component_probe.h"
#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/gesture.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/radio_group.h"
#include "platform/core/sysutils.h"
#include "platform/data/data_set.h"
#include "platform/data/data_source.h"
#include "platform/dbcontrols/db_grid.h"
#include "platform/forms/form.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"

namespace zor::script {

using namespace plat;

namespace {

// The place the one-flight opening passes, and the host menu's argument.
const char* const kScreenCode = "ZOR12200";

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string NameOf(const TComponent* c) { return c ? c->Name() : std::string("nenhum controle"); }

// Why a control refuses the person's gestures, when it says so itself.
std::string WhyRefused(const TControl* c) {
  if (!c->Enabled()) return " (desabilitado)";
  if (!c->Showing()) return " (invisível)";
  if (auto* edit = dynamic_cast<const TCustomEdit*>(c); edit && edit->ReadOnly()) return " (somente leitura)";
  return "";
}

TDataSet* DataSetOf(TComponent* c) {
  if (auto* ds = dynamic_cast<TDataSet*>(c)) return ds;
  if (auto* src = dynamic_cast<TDataSource*>(c)) return src->DataSet();
  if (auto* grid = dynamic_cast<TDBGrid*>(c)) return grid->DataSet();
  return nullptr;
}

int IndexOfText(const TStrings& items, const std::string& text) {
  int i = items.IndexOf(text);
  if (i >= 0) return i;
  for (int k = 0; k < items.Count(); ++k)
    if (SameText(items.Strings(k), text)) return k;
  return -1;
}

std::string ItemList(const TStrings& items) {
  std::string r;
  for (int k = 0; k < items.Count(); ++k) r += (k ? ", " : "") + Quoted(items.Strings(k));
  return r.empty() ? "nenhum" : r;
}

}  // namespace

ScriptInterpreter::ScriptInterpreter(ScriptHost& host, std::ostream& out) : host_(host), out_(out), ui_(out) {
  SetUi(&ui_);
  ui_.ModalRunner = [this](TForm& form) { return RunModal(form); };
  ui_.OnScriptFault = [this](const std::string& what) {
    out_ << "  FALHOU (linha " << current_line_ << "): " << what << "\n";
    ++failures_;
  };
}

ScriptInterpreter::~ScriptInterpreter() {
  SetUi(nullptr);
  // The caller form goes before the platform objects that know it.
  caller_.reset();
}

RunStatus ScriptInterpreter::RunText(const std::string& text, const std::string& name, std::ostream& errors) {
  Script script;
  try {
    script = ParseScript(text, name);
  } catch (const ScriptSyntaxError& e) {
    errors << "zor-script: " << e.what() << "\n";
    return Unreadable;
  }
  return Run(script);
}

RunStatus ScriptInterpreter::Run(const Script& script) {
  script_ = &script;
  next_ = 0;
  RunGestures([] { return false; });
  // Answers nobody asked for usually mean the screen did not ask what the
  // script expected; the expectations say whether that matters.
  const size_t unused = ui_.Answers.size() + ui_.Picks.size() + ui_.Searches.size();
  if (unused > 0) {
    out_ << "aviso: " << unused << (unused == 1 ? " resposta preparada não foi usada" : " respostas preparadas não foram usadas")
         << "\n";
    ui_.Answers.clear();
    ui_.Picks.clear();
    ui_.Searches.clear();
  }
  out_ << "fim: " << script.Gestures.size() << " gestos, " << expectations_ << " expectativas, " << failures_
       << (failures_ == 1 ? " falha" : " falhas") << "\n";
  script_ = nullptr;
  return failures_ == 0 ? AllHeld : ExpectationFailed;
}

void ScriptInterpreter::RunGestures(const std::function<bool()>& until) {
  while (next_ < script_->Gestures.size() && !until()) {
    const Gesture& g = script_->Gestures[next_++];
    Execute(g);
  }
}

int ScriptInterpreter::RunModal(TForm& form) {
  // The person works inside the modal window: the script's next gestures
  // run here until the window has a modal result or the script ends.
  ui_.Note("janela modal aberta: " + form.Name() + " (" + form.Caption() + ")");
  if (!script_) return mrCancel;
  modal_forms_.push_back(&form);
  RunGestures([&form] { return form.ModalResult() != mrNone || form.Released(); });
  modal_forms_.pop_back();
  int result = form.ModalResult() != mrNone ? form.ModalResult() : mrCancel;
  ui_.Note("janela modal fechada: " + form.Name() + " com resultado " + std::to_string(result));
  return result;
}

void ScriptInterpreter::Fail(const Gesture& g, const std::string& what) {
  out_ << "  FALHOU (linha " << g.Line << "): " << what << "\n";
  ++failures_;
}

void ScriptInterpreter::Refused(int writtenBefore, const std::string& what) {
  // A handler that refused with a message has said why already.
  if (ui_.Written() == writtenBefore) ui_.Note(what);
}

void ScriptInterpreter::Execute(const Gesture& g) {
  out_ << g.Line << ": " << g.Source << "\n";
  current_line_ = g.Line;
  try {
    switch (g.Kind) {
      case GestureKind::Open: Open(g); break;
      case GestureKind::OpenFlight: OpenFlight(g); break;
      case GestureKind::Modal: pending_modal_ = true; break;
      case GestureKind::LegDialog: pending_leg_dialog_ = true; break;
      case GestureKind::Close: Close(g); break;
      case GestureKind::Focus: Focus(g); break;
      case GestureKind::Type: Type(g); break;
      case GestureKind::Key: Key(g); break;
      case GestureKind::Click: Click(g); break;
      case GestureKind::Select: Select(g); break;
      case GestureKind::Cell: Cell(g); break;
      case GestureKind::DblClick: DblClick(g); break;
      case GestureKind::Ellipsis: Ellipsis(g); break;
      case GestureKind::Answer: ui_.Answers.push_back(g.Yes); break;
      case GestureKind::Pick:
        ui_.Picks.push_back(g.Cancel ? std::nullopt : std::optional<int>(g.Number - 1));
        break;
      case GestureKind::Find:
        if (g.Cancel)
          ui_.Searches.push_back(std::nullopt);
        else
          ui_.Searches.push_back(SearchAnswer{g.Target, g.Text});
        break;
      case GestureKind::ExpectMessage: ExpectMessage(g); break;
      case GestureKind::ExpectNoMessage: ExpectNoMessage(g); break;
      case GestureKind::ExpectQuestion: ExpectQuestion(g); break;
      case GestureKind::ExpectProperty: ExpectProperty(g); break;
      case GestureKind::Dump: Dump(g); break;
      case GestureKind::Screenshot: Screenshot(g); break;
      case GestureKind::CheckWindow: CheckWindow(g); break;
      case GestureKind::ExpectNoQuestion: ExpectNoQuestion(g); break;
    }
  } catch (const std::exception& e) {
    // Gestures report their own errors; one that escapes is the driver's
    // or the platform's fault and must not pass unnoticed.
    Fail(g, std::string("erro fora do tratamento padrão: ") + e.what());
  }
  if (IsPersonGesture(g.Kind)) FailUnusedAnswers(g);
}

// ---- finding components -----------------------------------------------------

TComponent* ScriptInterpreter::Find(const Gesture& g, const std::string& name) {
  std::vector<TForm*> forms;
  auto add = [&forms](TForm* f) {
    if (f && std::find(forms.begin(), forms.end(), f) == forms.end()) forms.push_back(f);
  };
  // The window the person works in now comes first: another form the
  // screen runs modally shares names with the screen (its own Confirm).
  if (!modal_forms_.empty() && !modal_forms_.back()->Released()) add(modal_forms_.back());
  add(host_.ScreenForm());
  add(Screen->ActiveForm());
  add(caller_.get());
  for (int i = 0; i < Screen->FormCount(); ++i) add(Screen->Forms(i));
  if (SameText(name, "form")) {
    // The screen, or else the window the person works in.
    if (TForm* f = host_.ScreenForm()) return f;
    if (TForm* f = Screen->ActiveForm()) return f;
    Fail(g, "não há tela aberta");
    return nullptr;
  }
  for (TForm* f : forms) {
    if (SameText(f->Name(), name)) return f;
    if (TComponent* c = f->FindComponent(name)) return c;
  }
  // What the person reads on it: a caption or hint, on any open form.
  if (TComponent* c = FindByCaption(forms, name)) return c;
  Fail(g, forms.empty() ? "não há formulário aberto para encontrar " + name
                        : "componente " + name + " não encontrado");
  return nullptr;
}

template <typename T>
T* ScriptInterpreter::FindAs(const Gesture& g, const std::string& name, const char* what) {
  TComponent* c = Find(g, name);
  if (!c) return nullptr;
  auto* t = dynamic_cast<T*>(c);
  if (!t) Fail(g, name + " não é " + what);
  return t;
}

bool ScriptInterpreter::FocusFirst(TWinControl* control) {
  if (control->Focused()) return true;
  TCustomForm* form = control->GetParentForm();
  if (!form) {
    ui_.Note("foco recusado: " + control->Name() + " não está num formulário");
    return false;
  }
  if (!control->CanFocus()) {
    ui_.Note("foco recusado: " + control->Name() + " não pode receber o foco" + WhyRefused(control));
    return false;
  }
  if (form->UserFocus(control)) return true;
  ui_.Note("foco recusado: " + control->Name() + "; o foco ficou em " + NameOf(form->ActiveControl()));
  return false;
}

// ---- opening and closing ----------------------------------------------------

bool ScriptInterpreter::ApplyDialogFlags(const Gesture& g) {
  if (!pending_modal_ && !pending_leg_dialog_) return true;
  std::string error;
  bool ok = host_.SetDialogFlags(pending_modal_, pending_leg_dialog_, error);
  pending_modal_ = pending_leg_dialog_ = false;
  if (!ok) Fail(g, error);
  return ok;
}

void ScriptInterpreter::Open(const Gesture& g) {
  if (!ApplyDialogFlags(g)) return;
  // As the host menu does: errors go through the standard report.
  RunGesture([&] { host_.Enter(Variant()); });
}

void ScriptInterpreter::OpenFlight(const Gesture& g) {
  if (!ApplyDialogFlags(g)) return;
  if (!caller_) caller_ = std::make_unique<CallerForm>();
  std::string branch = g.Args.size() > 2 ? g.Args[2].Text : Vornia::FiliProc();
  caller_->Prepare(branch, g.Args[0].Text, g.Args[1].Text);
  RunGesture([&] { host_.Create(kScreenCode, CallerForm::kDataSetName, caller_.get()); });
}

void ScriptInterpreter::Close(const Gesture& g) {
  TForm* form = host_.ScreenForm();
  if (!form) {
    Fail(g, "não há tela aberta para fechar");
    return;
  }
  RunGesture([form] { form->Close(); });
}

// ---- the person's gestures --------------------------------------------------

void ScriptInterpreter::Focus(const Gesture& g) {
  auto* control = FindAs<TWinControl>(g, g.Target, "um controle que recebe o foco");
  if (control) FocusFirst(control);
}

void ScriptInterpreter::Type(const Gesture& g) {
  TComponent* c = Find(g, g.Target);
  if (!c) return;
  auto* win = dynamic_cast<TWinControl*>(c);
  auto* grid = dynamic_cast<TDBGrid*>(c);
  auto* edit = dynamic_cast<TCustomEdit*>(c);
  auto* combo = dynamic_cast<TComboBox*>(c);
  if (!grid && !edit && !combo) {
    Fail(g, g.Target + " não aceita digitação");
    return;
  }
  if (grid) {
    TypeIntoGrid(g, *grid);
    return;
  }
  if (!FocusFirst(win)) return;
  int before = ui_.Written();
  bool ok = edit ? edit->UserSetText(g.Text) : combo->UserSetText(g.Text);
  if (!ok) Refused(before, "digitação recusada em " + g.Target + WhyRefused(win));
}

void ScriptInterpreter::TypeIntoGrid(const Gesture& g, TDBGrid& grid) {
  // Real typing, key by key: each character goes down and is pressed
  // through the form (key preview first), the grid's key handlers and the
  // cell's edit mask, as a person's keyboard delivers it. Typing nothing
  // changes nothing, so it cannot empty a cell (Delete does).
  if (g.Text.empty()) {
    Fail(g, "digitar um texto vazio numa grade não faz nada; para esvaziar a célula use key " + g.Target + " Delete");
    return;
  }
  if (!grid.Enabled() || !grid.Showing()) {
    ui_.Note("digitação recusada em " + g.Target + WhyRefused(&grid));
    return;
  }
  if (!FocusFirst(&grid)) return;
  TCustomForm* form = grid.GetParentForm();
  const int before = ui_.Written();
  const std::string start = grid.EditorText();
  const bool wasModified = grid.EditorModified();
  for (char c : g.Text) {
    if (form->ActiveControl() != &grid) {
      ui_.Note("foco saiu de " + g.Target + " durante a digitação; o restante não foi digitado");
      return;
    }
    const Word code = KeyOfChar(c);
    TShiftState shift;
    if (c >= 'A' && c <= 'Z') shift.Include(ssShift);
    bool ok = true;
    if (code != 0) ok = form->UserKeyDown(code, shift);
    if (!ok) return;  // the key's handler reported an error
    if (form->ActiveControl() == &grid && !form->UserKeyPress(c)) return;
  }
  if (!grid.EditorModified() || (wasModified && grid.EditorText() == start))
    Refused(before, "digitação recusada em " + g.Target + WhyRefused(&grid));
}

void ScriptInterpreter::Key(const Gesture& g) {
  auto* control = FindAs<TWinControl>(g, g.Target, "um controle que recebe teclas");
  if (!control) return;
  auto* form = dynamic_cast<TCustomForm*>(control);
  if (!form) {
    if (!FocusFirst(control)) return;
    form = control->GetParentForm();
  }
  TWinControl* focused = form->ActiveControl();
  bool ok = true;
  if (g.KeyCode != 0) ok = form->UserKeyDown(g.KeyCode, g.Shift);
  // The character goes where the key went down; when the key moved the
  // focus (Tab, Enter on some controls) there is no character to deliver.
  if (ok && g.KeyChar != 0 && form->ActiveControl() == focused) form->UserKeyPress(g.KeyChar);
}

void ScriptInterpreter::Click(const Gesture& g) {
  TComponent* c = Find(g, g.Target);
  if (!c) return;
  int before = ui_.Written();
  if (auto* item = dynamic_cast<TMenuItem*>(c)) {
    if (!item->UserClick()) Refused(before, "clique recusado em " + g.Target + (item->Enabled() ? "" : " (desabilitado)"));
    return;
  }
  if (auto* sheet = dynamic_cast<TTabSheet*>(c)) {
    if (!sheet->PageControl() || !sheet->PageControl()->SelectPage(sheet))
      Refused(before, "troca de página recusada: " + g.Target);
    return;
  }
  auto* control = dynamic_cast<TControl*>(c);
  if (!control) {
    Fail(g, g.Target + " não é um controle nem um item de menu");
    return;
  }
  // A click on a control that takes the focus gives it the focus first,
  // running the exit handlers of the control being left.
  if (auto* win = dynamic_cast<TWinControl*>(control); win && win->CanFocus()) {
    if (!FocusFirst(win)) return;
    before = ui_.Written();
  }
  if (!control->UserClick()) Refused(before, "clique recusado em " + g.Target + WhyRefused(control));
}

void ScriptInterpreter::Select(const Gesture& g) {
  TComponent* c = Find(g, g.Target);
  if (!c) return;
  int before = ui_.Written();
  if (auto* pages = dynamic_cast<TPageControl*>(c)) {
    TTabSheet* sheet = nullptr;
    for (int i = 0; i < pages->PageCount() && !sheet; ++i) {
      TTabSheet* p = pages->Pages(i);
      if (SameText(p->Name(), g.Text) || StripHotkey(p->Caption()) == g.Text) sheet = p;
    }
    if (!sheet) {
      Fail(g, g.Target + " não tem a página " + g.Text);
      return;
    }
    if (!pages->SelectPage(sheet)) Refused(before, "troca de página recusada: " + g.Text);
    return;
  }
  if (auto* grid = dynamic_cast<TDBGrid*>(c)) {
    TColumn* column = grid->SelectedColumn();
    if (!column) {
      Fail(g, g.Target + " não tem coluna selecionada");
      return;
    }
    if (IndexOfText(column->PickList(), g.Text) < 0) {
      Fail(g, "a coluna " + column->FieldName() + " de " + g.Target + " não oferece " + Quoted(g.Text) +
                  " (itens: " + ItemList(column->PickList()) + ")");
      return;
    }
    if (!FocusFirst(grid)) return;
    before = ui_.Written();
    if (!grid->UserChoosePickItem(IndexOfText(column->PickList(), g.Text)))
      Refused(before, "escolha recusada em " + g.Target + WhyRefused(grid));
    return;
  }
  auto* combo = dynamic_cast<TComboBox*>(c);
  auto* radio = dynamic_cast<TRadioGroup*>(c);
  if (!combo && !radio) {
    Fail(g, g.Target + " não é uma lista, grupo de opções, controle de páginas ou grade");
    return;
  }
  const TStrings& items = combo ? combo->Items() : radio->Items();
  int index = IndexOfText(items, g.Text);
  if (index < 0) {
    Fail(g, g.Target + " não tem o item " + Quoted(g.Text) + " (itens: " + ItemList(items) + ")");
    return;
  }
  auto* win = static_cast<TWinControl*>(c);
  if (win->CanFocus() && !FocusFirst(win)) return;
  before = ui_.Written();
  bool ok = combo ? combo->UserSelect(index) : radio->UserSelect(index);
  if (!ok) Refused(before, "escolha recusada em " + g.Target + WhyRefused(win));
}

void ScriptInterpreter::Cell(const Gesture& g) {
  auto* grid = FindAs<TDBGrid>(g, g.Target, "uma grade");
  if (!grid) return;
  if (g.Number > grid->RowCount()) {
    Fail(g, g.Target + " tem " + std::to_string(grid->RowCount()) + " linhas; não há linha " +
                std::to_string(g.Number));
    return;
  }
  bool shown = false;
  for (int i = 0; i < grid->Columns().Count(); ++i)
    shown = shown || SameText(grid->Columns()[i]->FieldName(), g.Member);
  if (!shown) {
    Fail(g, g.Target + " não tem coluna do campo " + g.Member);
    return;
  }
  int before = ui_.Written();
  if (!grid->UserSelectCell(g.Number - 1, g.Member)) {
    if (!grid->Focused()) {
      Refused(before, "foco recusado: " + g.Target + "; o foco ficou em " +
                          NameOf(grid->GetParentForm() ? grid->GetParentForm()->ActiveControl() : nullptr));
    } else {
      Refused(before, "célula recusada: " + g.Target + " ficou na linha " + std::to_string(grid->Row() + 1));
    }
  }
}

void ScriptInterpreter::DblClick(const Gesture& g) {
  auto* control = FindAs<TControl>(g, g.Target, "um controle");
  if (!control) return;
  int before = ui_.Written();
  if (auto* grid = dynamic_cast<TDBGrid*>(control)) {
    if (!FocusFirst(grid)) return;
    before = ui_.Written();
    if (!grid->UserDblClickCell(grid->Row(), grid->SelectedIndex()))
      Refused(before, "duplo clique recusado em " + g.Target + WhyRefused(grid));
    return;
  }
  if (auto* win = dynamic_cast<TWinControl*>(control); win && win->CanFocus()) {
    if (!FocusFirst(win)) return;
    before = ui_.Written();
  }
  if (!control->UserDblClick()) Refused(before, "duplo clique recusado em " + g.Target + WhyRefused(control));
}

void ScriptInterpreter::Ellipsis(const Gesture& g) {
  auto* grid = FindAs<TDBGrid>(g, g.Target, "uma grade");
  if (!grid) return;
  if (!FocusFirst(grid)) return;
  int before = ui_.Written();
  if (!grid->UserEditButtonClick()) Refused(before, "botão da célula recusado em " + g.Target);
}

// ---- expectations -----------------------------------------------------------

namespace {
// An expected text ending in "..." stands for every text that begins with
// what comes before the dots (a message naming a generated file, say).
bool MessageMatches(const std::string& seen, const std::string& expected) {
  const std::string dots = "...";
  if (expected.size() >= dots.size() && expected.compare(expected.size() - dots.size(), dots.size(), dots) == 0)
    return seen.rfind(expected.substr(0, expected.size() - dots.size()), 0) == 0;
  return seen == expected;
}
}  // namespace

void ScriptInterpreter::ExpectMessage(const Gesture& g) {
  ++expectations_;
  const auto& seen = ui_.PendingMessage();
  if (!seen)
    Fail(g, "esperada a mensagem " + Quoted(g.Text) + ", nenhuma mensagem foi mostrada");
  else if (!MessageMatches(*seen, g.Text))
    Fail(g, "esperada a mensagem " + Quoted(g.Text) + ", vista " + Quoted(*seen));
  ui_.ForgetMessage();
}

void ScriptInterpreter::ExpectNoMessage(const Gesture& g) {
  ++expectations_;
  if (const auto& seen = ui_.PendingMessage()) Fail(g, "nenhuma mensagem esperada, vista " + Quoted(*seen));
  ui_.ForgetMessage();
}

void ScriptInterpreter::ExpectQuestion(const Gesture& g) {
  ++expectations_;
  const auto& seen = ui_.PendingQuestion();
  if (!seen)
    Fail(g, "esperada a pergunta " + Quoted(g.Text) + ", nenhuma pergunta foi feita");
  else if (*seen != g.Text)
    Fail(g, "esperada a pergunta " + Quoted(g.Text) + ", vista " + Quoted(*seen));
  ui_.ForgetQuestion();
}

void ScriptInterpreter::ExpectProperty(const Gesture& g) {
  ++expectations_;
  TComponent* c = Find(g, g.Target);
  if (!c) return;
  const std::string what = g.Target + "." + g.Member + (g.StoredValue ? ":value" : "");
  ProbeResult r;
  TDataSet* ds = dynamic_cast<TDataSet*>(c);
  if (ds && (g.StoredValue || !IsDataSetProperty(g.Member))) {
    r = ReadField(ds, g.Member, g.StoredValue);
  } else if (g.StoredValue) {
    Fail(g, what + ": ':value' só vale para campos de um conjunto de dados");
    return;
  } else {
    r = ReadProperty(c, g.Member);
  }
  if (!r.Ok)
    Fail(g, what + ": " + r.Error);
  else if (!ValueMatches(g.Member, g.Text, r.Value))
    Fail(g, what + ": esperado " + Quoted(g.Text) + ", visto " + Quoted(r.Value));
}

void ScriptInterpreter::Dump(const Gesture& g) {
  TComponent* c = Find(g, g.Target);
  if (!c) return;
  TDataSet* ds = DataSetOf(c);
  if (!ds) {
    Fail(g, g.Target + " não é um conjunto de dados");
    return;
  }
  if (!ds->Active()) {
    ui_.Note(ds->Name() + ": fechado");
    return;
  }
  auto state = ReadProperty(ds, "State");
  ui_.Note(ds->Name() + ": " + std::to_string(ds->RowCount()) + " registros, estado " + state.Value +
           ", registro atual " + std::to_string(ds->CurrentRow() + 1));
  std::string header = "  campos:";
  for (int f = 0; f < ds->FieldCount(); ++f) header += (f ? " | " : " ") + ds->Fields()[f]->FieldName();
  ui_.Note(header);
  for (int row = 0; row < ds->RowCount(); ++row) {
    std::string line = row == ds->CurrentRow() ? "  >" : "   ";
    line += std::to_string(row + 1) + ":";
    for (int f = 0; f < ds->FieldCount(); ++f) {
      std::string text;
      try {
        text = ds->DisplayTextAt(row, ds->Fields()[f]);
      } catch (const std::exception& e) {
        text = std::string("<") + e.what() + ">";
      }
      line += (f ? " | " : " ") + text;
    }
    ui_.Note(line);
  }
}

}  // namespace zor::script
