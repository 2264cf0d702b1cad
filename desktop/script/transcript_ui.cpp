// The scripted person writing the transcript (see transcript_ui.h).
#include "desktop/script/transcript_ui.h"

#include "platform/core/sysutils.h"

namespace zor::script {

namespace {

// A message may span lines; the transcript keeps them under one entry.
std::string Indented(const std::string& text) {
  std::string r;
  for (char c : text) {
    r += c;
    if (c == '\n') r += "    ";
  }
  return r;
}

std::string JoinRow(const std::vector<std::string>& cells) {
  std::string r;
  for (size_t i = 0; i < cells.size(); ++i) r += (i ? " | " : "") + cells[i];
  return r;
}

}  // namespace

void TranscriptUi::Note(const std::string& text) {
  out_ << "  " << Indented(text) << "\n";
  ++written_;
}

void TranscriptUi::ShowError(const std::string& caption, const std::string& text) {
  ScriptedUi::ShowError(caption, text);
  pending_message_ = text;
  Note("erro: " + text);
}

void TranscriptUi::ShowInfo(const std::string& caption, const std::string& text) {
  ScriptedUi::ShowInfo(caption, text);
  pending_message_ = text;
  Note("informação: " + text);
}

bool TranscriptUi::AskYesNo(const std::string& caption, const std::string& text) {
  const bool queued = !Answers.empty();
  bool yes = ScriptedUi::AskYesNo(caption, text);
  pending_question_ = text;
  Note("pergunta: " + text + " -> " + (yes ? "sim" : "não") + (queued ? "" : " (sem resposta no roteiro)"));
  return yes;
}

std::optional<int> TranscriptUi::PickRow(const plat::PickListRequest& request) {
  std::optional<std::optional<int>> queued;
  if (!Picks.empty()) queued = Picks.front();
  auto chosen = ScriptedUi::PickRow(request);
  Note("lista \"" + request.Title + "\" (" + std::to_string(request.Rows.size()) + " linhas): " +
       JoinRow(request.ColumnLabels));
  for (size_t r = 0; r < request.Rows.size(); ++r) Note("  " + std::to_string(r + 1) + ": " + JoinRow(request.Rows[r]));
  if (chosen) {
    Note("-> linha " + std::to_string(*chosen + 1));
  } else if (queued && *queued) {
    Note("-> linha " + std::to_string(**queued + 1) + " não existe: lista cancelada");
    if (OnScriptFault)
      OnScriptFault("a lista \"" + request.Title + "\" tem " + std::to_string(request.Rows.size()) +
                    " linhas; não há linha " + std::to_string(**queued + 1));
  } else {
    Note(std::string("-> cancelada") + (queued ? "" : " (sem escolha no roteiro)"));
  }
  return chosen;
}

std::optional<plat::SearchAnswer> TranscriptUi::Search(const plat::SearchRequest& request) {
  // The script may name the field by its label or by its name.
  if (!Searches.empty() && Searches.front()) {
    auto& answer = *Searches.front();
    bool known = false;
    for (size_t i = 0; i < request.FieldNames.size(); ++i) {
      if (plat::SameText(request.FieldNames[i], answer.FieldName)) {
        answer.FieldName = request.FieldNames[i];
        known = true;
        break;
      }
      if (i < request.FieldLabels.size() && plat::SameText(request.FieldLabels[i], answer.FieldName)) {
        answer.FieldName = request.FieldNames[i];
        known = true;
        break;
      }
    }
    if (!known && OnScriptFault) OnScriptFault("a pesquisa \"" + request.Title + "\" não oferece o campo " + answer.FieldName);
  }
  const bool queued = !Searches.empty();
  auto answer = ScriptedUi::Search(request);
  Note("pesquisa \"" + request.Title + "\" (campos: " + JoinRow(request.FieldLabels) + ")");
  if (answer)
    Note("-> " + answer->FieldName + " = \"" + answer->Value + "\"");
  else
    Note(std::string("-> cancelada") + (queued ? "" : " (sem resposta no roteiro)"));
  return answer;
}

void TranscriptUi::ShowBusy(int kind) {
  ScriptedUi::ShowBusy(kind);
  Note("ocupado: mostra (animação " + std::to_string(kind) + ")");
}

void TranscriptUi::HideBusy() {
  ScriptedUi::HideBusy();
  Note("ocupado: esconde");
}

void TranscriptUi::ShowHelp(const std::string& screenCode) { Note("ajuda: " + screenCode); }

}  // namespace zor::script
