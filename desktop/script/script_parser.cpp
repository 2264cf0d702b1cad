// Reading the gesture language (see script_parser.h).
#include "desktop/script/script_parser.h"

#include <cctype>
#include <map>

#include "platform/core/sysutils.h"

namespace zor::script {

namespace {

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

class LineParser {
 public:
  LineParser(const std::string& name, int line) : name_(name), line_(line) {}

  [[noreturn]] void Fail(const std::string& message) const { throw ScriptSyntaxError(name_, line_, message); }

  void Count(const Gesture& g, const std::string& usage, size_t min, size_t max) const {
    if (g.Args.size() < min || g.Args.size() > max) Fail("uso: " + usage);
  }

 private:
  std::string name_;
  int line_;
};

const std::map<std::string, GestureKind>& Kinds() {
  static const std::map<std::string, GestureKind> kInds = {
      {"open", GestureKind::Open},         {"open-flight", GestureKind::OpenFlight},
      {"modal", GestureKind::Modal},       {"leg-dialog", GestureKind::LegDialog},
      {"close", GestureKind::Close},       {"focus", GestureKind::Focus},
      {"type", GestureKind::Type},         {"key", GestureKind::Key},
      {"click", GestureKind::Click},       {"select", GestureKind::Select},
      {"cell", GestureKind::Cell},         {"dblclick", GestureKind::DblClick},
      {"ellipsis", GestureKind::Ellipsis}, {"answer", GestureKind::Answer},
      {"pick", GestureKind::Pick},         {"find", GestureKind::Find},
      {"expect", GestureKind::ExpectProperty}, {"dump", GestureKind::Dump},
      {"screenshot", GestureKind::Screenshot}, {"check-window", GestureKind::CheckWindow},
  };
  return kInds;
}

bool PositiveNumber(const std::string& s, int& n) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  n = std::stoi(s);
  return n > 0;
}

void ParseExpect(Gesture& g, const LineParser& p) {
  if (g.Args.empty()) p.Fail("uso: expect message \"TEXTO\" | expect no-message | expect no-question | expect question \"TEXTO\" | expect NOME.PROPRIEDADE VALOR");
  const Token& what = g.Args[0];
  if (!what.Quoted && what.Text == "message") {
    g.Kind = GestureKind::ExpectMessage;
    p.Count(g, "expect message \"TEXTO\"", 2, 2);
    g.Text = g.Args[1].Text;
    return;
  }
  if (!what.Quoted && what.Text == "no-message") {
    g.Kind = GestureKind::ExpectNoMessage;
    p.Count(g, "expect no-message", 1, 1);
    return;
  }
  if (!what.Quoted && what.Text == "no-question") {
    g.Kind = GestureKind::ExpectNoQuestion;
    p.Count(g, "expect no-question", 1, 1);
    return;
  }
  if (!what.Quoted && what.Text == "question") {
    g.Kind = GestureKind::ExpectQuestion;
    p.Count(g, "expect question \"TEXTO\"", 2, 2);
    g.Text = g.Args[1].Text;
    return;
  }
  g.Kind = GestureKind::ExpectProperty;
  p.Count(g, "expect NOME.PROPRIEDADE VALOR", 2, 2);
  const std::string& path = what.Text;
  auto dot = path.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == path.size())
    p.Fail("esperado NOME.PROPRIEDADE ou CONJUNTO.CAMPO, encontrado \"" + path + "\"");
  g.Target = path.substr(0, dot);
  g.Member = path.substr(dot + 1);
  auto colon = g.Member.find(':');
  if (colon != std::string::npos) {
    if (Lower(g.Member.substr(colon + 1)) != "value" || colon == 0)
      p.Fail("depois de ':' só cabe 'value' (CONJUNTO.CAMPO:value), encontrado \"" + path + "\"");
    g.Member = g.Member.substr(0, colon);
    g.StoredValue = true;
  }
  g.Text = g.Args[1].Text;
}

void ParseKey(Gesture& g, const LineParser& p) {
  p.Count(g, "key CONTROLE TECLA [ctrl] [shift] [alt]", 2, 5);
  g.Target = g.Args[0].Text;
  const Token& key = g.Args[1];
  if (auto code = KeyByName(key.Text); code && !(key.Quoted && key.Text.size() == 1)) {
    g.KeyCode = *code;
    if (*code == plat::VK_RETURN) g.KeyChar = '\r';
    if (*code == plat::VK_ESCAPE) g.KeyChar = 27;
    if (*code == plat::VK_BACK) g.KeyChar = '\b';
  } else if (key.Text.size() == 1) {
    g.KeyChar = key.Text[0];
    g.KeyCode = KeyOfChar(key.Text[0]);
  } else {
    p.Fail("tecla desconhecida \"" + key.Text +
           "\" (use Delete, Down, Up, Left, Right, Tab, Enter, Escape, Insert, Home, End, PageUp, PageDown, "
           "Backspace, F1 a F12, Break ou um caractere)");
  }
  for (size_t i = 2; i < g.Args.size(); ++i) {
    std::string m = Lower(g.Args[i].Text);
    if (m == "ctrl")
      g.Shift.Include(plat::ssCtrl);
    else if (m == "shift")
      g.Shift.Include(plat::ssShift);
    else if (m == "alt")
      g.Shift.Include(plat::ssAlt);
    else
      p.Fail("modificador desconhecido \"" + g.Args[i].Text + "\" (use ctrl, shift ou alt)");
  }
}

void ParseGesture(Gesture& g, const std::string& verb, const LineParser& p) {
  auto it = Kinds().find(verb);
  if (it == Kinds().end()) p.Fail("gesto desconhecido \"" + verb + "\"");
  g.Kind = it->second;
  switch (g.Kind) {
    case GestureKind::Open:
    case GestureKind::Modal:
    case GestureKind::LegDialog:
    case GestureKind::Close:
      p.Count(g, verb, 0, 0);
      break;
    case GestureKind::OpenFlight:
      p.Count(g, "open-flight SGCIA NRVOO [FILIAL]", 2, 3);
      break;
    case GestureKind::CheckWindow:
      p.Count(g, verb, 0, 0);
      break;
    case GestureKind::Screenshot:
      p.Count(g, "screenshot ARQUIVO", 1, 1);
      g.Target = g.Args[0].Text;
      break;
    case GestureKind::Focus:
    case GestureKind::Click:
    case GestureKind::DblClick:
    case GestureKind::Ellipsis:
    case GestureKind::Dump:
      p.Count(g, verb + (g.Kind == GestureKind::Dump ? " CONJUNTO" : " CONTROLE"), 1, 1);
      g.Target = g.Args[0].Text;
      break;
    case GestureKind::Type:
    case GestureKind::Select:
      p.Count(g, verb + " CONTROLE TEXTO", 2, 2);
      g.Target = g.Args[0].Text;
      g.Text = g.Args[1].Text;
      break;
    case GestureKind::Key:
      ParseKey(g, p);
      break;
    case GestureKind::Cell:
      p.Count(g, "cell GRADE LINHA CAMPO", 3, 3);
      g.Target = g.Args[0].Text;
      if (!PositiveNumber(g.Args[1].Text, g.Number))
        p.Fail("a linha deve ser um número a partir de 1, encontrado \"" + g.Args[1].Text + "\"");
      g.Member = g.Args[2].Text;
      break;
    case GestureKind::Answer: {
      p.Count(g, "answer yes|no", 1, 1);
      std::string a = Lower(g.Args[0].Text);
      if (a != "yes" && a != "no") p.Fail("resposta deve ser yes ou no, encontrado \"" + g.Args[0].Text + "\"");
      g.Yes = a == "yes";
      break;
    }
    case GestureKind::Pick:
      p.Count(g, "pick N|cancel", 1, 1);
      if (!g.Args[0].Quoted && Lower(g.Args[0].Text) == "cancel")
        g.Cancel = true;
      else if (!PositiveNumber(g.Args[0].Text, g.Number))
        p.Fail("escolha deve ser uma linha a partir de 1 ou cancel, encontrado \"" + g.Args[0].Text + "\"");
      break;
    case GestureKind::Find:
      p.Count(g, "find CAMPO VALOR | find cancel", 1, 2);
      if (g.Args.size() == 1) {
        if (g.Args[0].Quoted || Lower(g.Args[0].Text) != "cancel") p.Fail("uso: find CAMPO VALOR | find cancel");
        g.Cancel = true;
      } else {
        g.Target = g.Args[0].Text;
        g.Text = g.Args[1].Text;
        g.Cancel = !g.Args[1].Quoted && Lower(g.Args[1].Text) == "cancel";
      }
      break;
    case GestureKind::ExpectProperty:
      ParseExpect(g, p);
      break;
    default:
      break;
  }
}

}  // namespace

// The virtual key a typed character arrives with before its key press:
// letters and digits as their upper-case code, the space, and the
// punctuation keys whose codes cannot be mistaken for navigation keys.
plat::Word KeyOfChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (std::isalpha(u)) return static_cast<plat::Word>(std::toupper(u));
  if (std::isdigit(u) || c == ' ') return u;
  switch (c) {
    case ',': return 188;
    case '-': return 189;
    case '.': return 190;
    case '/': return 191;
    case ';': return 186;
    case '=': return 187;
    default: return 0;
  }
}

std::optional<plat::Word> KeyByName(const std::string& name) {
  static const std::map<std::string, plat::Word> kEys = {
      {"delete", plat::VK_DELETE}, {"down", plat::VK_DOWN},     {"up", plat::VK_UP},
      {"left", plat::VK_LEFT},     {"right", plat::VK_RIGHT},   {"tab", plat::VK_TAB},
      {"enter", plat::VK_RETURN},  {"escape", plat::VK_ESCAPE}, {"insert", plat::VK_INSERT},
      {"home", plat::VK_HOME},     {"end", plat::VK_END},       {"pageup", plat::VK_PRIOR},
      {"pagedown", plat::VK_NEXT}, {"backspace", plat::VK_BACK}, {"break", plat::VK_CANCEL},
  };
  std::string n = Lower(name);
  if (auto it = kEys.find(n); it != kEys.end()) return it->second;
  if (n.size() >= 2 && n.size() <= 3 && n[0] == 'f') {
    int f = 0;
    if (PositiveNumber(n.substr(1), f) && f <= 12) return static_cast<plat::Word>(plat::VK_F1 + f - 1);
  }
  return std::nullopt;
}

std::vector<Token> Tokenize(const std::string& line) {
  std::vector<Token> tokens;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    Token t;
    if (c == '"') {
      t.Quoted = true;
      ++i;
      bool closed = false;
      while (i < n) {
        char q = line[i++];
        if (q == '\\' && i < n && (line[i] == '"' || line[i] == '\\')) {
          t.Text += line[i++];
        } else if (q == '"') {
          closed = true;
          break;
        } else {
          t.Text += q;
        }
      }
      if (!closed) throw ScriptSyntaxError("", 0, "aspas sem fechamento");
      if (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#')
        throw ScriptSyntaxError("", 0, "falta um espaço depois das aspas");
    } else {
      while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') {
        if (line[i] == '"') throw ScriptSyntaxError("", 0, "aspas no meio de um argumento");
        t.Text += line[i++];
      }
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

Script ParseScript(const std::string& text, const std::string& name) {
  Script script;
  script.Name = name;
  int lineNo = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNo;
    if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a byte-order mark
    LineParser p(name, lineNo);
    std::vector<Token> tokens;
    try {
      tokens = Tokenize(line);
    } catch (const ScriptSyntaxError& e) {
      p.Fail(e.Message());
    }
    if (tokens.empty()) {
      if (end == text.size()) break;
      continue;
    }
    if (tokens[0].Quoted) p.Fail("a linha deve começar pelo nome de um gesto");
    Gesture g;
    g.Line = lineNo;
    g.Args.assign(tokens.begin() + 1, tokens.end());
    for (const Token& t : tokens) {
      if (!g.Source.empty()) g.Source += ' ';
      if (t.Quoted || t.Text.empty() || t.Text.find(' ') != std::string::npos) {
        std::string q = "\"";
        for (char c : t.Text) q += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
        g.Source += q + "\"";
      } else {
        g.Source += t.Text;
      }
    }
    ParseGesture(g, Lower(tokens[0].Text), p);
    script.Gestures.push_back(std::move(g));
    if (end == text.size()) break;
  }
  return script;
}

}  // namespace zor::script
