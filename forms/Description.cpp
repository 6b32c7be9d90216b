#include "Description.h"

#include <cctype>


// ---- values ----------------------------------------------------------------------------------

static std::string KindName(PropValue::Kind k) {
  switch (k) {
    case PropValue::kInt: return "a number";
    case PropValue::kString: return "a string";
    case PropValue::kIdent: return "an identifier";
    case PropValue::kSet: return "a set";
    case PropValue::kList: return "a list";
  }
  return "?";
}

static void Expect(const PropValue& v, PropValue::Kind k) {
  if (v.kind != k) throw EFormDescription(Utf8ToWide("expected " + KindName(k) + ", found " + KindName(v.kind)));
}

int PropValue::AsInt() const {
  Expect(*this, kInt);
  return int(i);
}
bool PropValue::AsBool() const {
  Expect(*this, kIdent);
  if (s == L"True") return true;
  if (s == L"False") return false;
  throw EFormDescription(L"expected True or False, found " + s);
}
const std::wstring& PropValue::AsString() const {
  Expect(*this, kString);
  return s;
}
std::string PropValue::AsIdent() const {
  Expect(*this, kIdent);
  return WideToUtf8(s);
}
const std::vector<std::wstring>& PropValue::AsSet() const {
  Expect(*this, kSet);
  return items;
}
const std::vector<std::wstring>& PropValue::AsStrings() const {
  Expect(*this, kList);
  return items;
}

// ---- the property every component has ------------------------------------------------------

bool TComponent::SetProperty(const std::string& name, const PropValue& value, FormLoader&) {
  if (name == "Tag") { Tag = value.AsInt(); return true; }
  return false;
}

// ---- parser ----------------------------------------------------------------------------------

namespace {

class Parser {
 public:
  Parser(const std::string& text, const std::string& source) : t_(text), source_(source) {}

  std::unique_ptr<DescNode> Document() {
    SkipSpace();
    auto root = Object();
    SkipSpace();
    if (p_ < t_.size()) Fail("text after the final 'end'");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw EFormDescription(Utf8ToWide("form description " + source_ + ", line " + std::to_string(line_) + ": " + what));
  }

  void SkipSpace() {
    while (p_ < t_.size()) {
      char c = t_[p_];
      if (c == '\n') { ++line_; ++p_; }
      else if (c == ' ' || c == '\t' || c == '\r') ++p_;
      else if (c == '/' && p_ + 1 < t_.size() && t_[p_ + 1] == '/') { while (p_ < t_.size() && t_[p_] != '\n') ++p_; }
      else break;
    }
  }

  static bool IdentChar(char c, bool first) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || (!first && (std::isdigit(static_cast<unsigned char>(c)) || c == '.'));
  }

  std::string Ident() {
    SkipSpace();
    if (p_ >= t_.size() || !IdentChar(t_[p_], true)) Fail("expected a name");
    size_t b = p_;
    while (p_ < t_.size() && IdentChar(t_[p_], false)) ++p_;
    return t_.substr(b, p_ - b);
  }

  void Take(char c) {
    SkipSpace();
    if (p_ >= t_.size() || t_[p_] != c) Fail(std::string("expected '") + c + "'");
    ++p_;
  }

  bool Peek(char c) {
    SkipSpace();
    return p_ < t_.size() && t_[p_] == c;
  }

  std::unique_ptr<DescNode> Object() {
    auto node = std::make_unique<DescNode>();
    node->line = line_;
    if (Ident() != "object") Fail("expected 'object'");
    node->name = Ident();
    Take(':');
    node->className = Ident();
    for (;;) {
      SkipSpace();
      if (p_ >= t_.size()) Fail("missing 'end' of " + node->name);
      size_t save = p_;
      int saveLine = line_;
      std::string word = Ident();
      if (word == "end") break;
      if (word == "object") {
        p_ = save;
        line_ = saveLine;
        node->children.push_back(Object());
        continue;
      }
      Take('=');
      PropValue v = Value();
      node->props.emplace_back(word, std::move(v));
    }
    return node;
  }

  std::wstring String() {
    // '...' with '' for a quote; several quoted pieces joined by '+' make one string.
    std::string out;
    for (;;) {
      Take('\'');
      for (;;) {
        if (p_ >= t_.size() || t_[p_] == '\n') Fail("unterminated string");
        if (t_[p_] == '\'') {
          if (p_ + 1 < t_.size() && t_[p_ + 1] == '\'') { out += '\''; p_ += 2; continue; }
          ++p_;
          break;
        }
        out += t_[p_++];
      }
      if (!Peek('+')) break;
      ++p_;
    }
    return Utf8ToWide(out);
  }

  PropValue Value() {
    SkipSpace();
    PropValue v;
    v.line = line_;
    if (p_ >= t_.size()) Fail("expected a value");
    char c = t_[p_];
    if (c == '\'') {
      v.kind = PropValue::kString;
      v.s = String();
    } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
      size_t b = p_++;
      while (p_ < t_.size() && std::isxdigit(static_cast<unsigned char>(t_[p_]))) ++p_;
      std::wstring num = Utf8ToWide(t_.substr(b, p_ - b));
      v.kind = PropValue::kInt;
      try {
        v.i = StrToInt(num);
      } catch (const EConvertError&) {
        Fail("bad number " + t_.substr(b, p_ - b));
      }
    } else if (c == '[') {
      ++p_;
      v.kind = PropValue::kSet;
      while (!Peek(']')) {
        v.items.push_back(Utf8ToWide(Ident()));
        if (Peek(',')) ++p_;
      }
      ++p_;
    } else if (c == '(') {
      ++p_;
      v.kind = PropValue::kList;
      while (!Peek(')')) {
        v.items.push_back(String());
        if (Peek(',')) ++p_;
      }
      ++p_;
    } else {
      v.kind = PropValue::kIdent;
      v.s = Utf8ToWide(Ident());
    }
    return v;
  }

  const std::string& t_;
  std::string source_;
  size_t p_ = 0;
  int line_ = 1;
};

std::map<std::string, ComponentFactory>& Factories() {
  static std::map<std::string, ComponentFactory> f;
  return f;
}

}  // namespace

std::unique_ptr<DescNode> ParseDescription(const std::string& utf8, const std::string& source) {
  std::string text = utf8;
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  return Parser(text, source).Document();
}

void RegisterComponentClass(const std::string& className, ComponentFactory factory) {
  Factories()[className] = std::move(factory);
}

const ComponentFactory* FindComponentFactory(const std::string& className) {
  auto f = Factories().find(className);
  return f == Factories().end() ? nullptr : &f->second;
}

std::string LoadDescriptionResource(const std::wstring& resourceName) {
  HRSRC r = FindResourceW(nullptr, resourceName.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!r) throw EFormDescription(L"form description " + resourceName + L" is not among the program's resources");
  HGLOBAL g = LoadResource(nullptr, r);
  const char* data = static_cast<const char*>(LockResource(g));
  return std::string(data, SizeofResource(nullptr, r));
}

std::vector<FormClassEntry>& RegisteredFormClasses() {
  static std::vector<FormClassEntry> v;
  return v;
}

void RegisterFormClass(const std::string& className, std::function<TForm*()> create) {
  RegisteredFormClasses().push_back({className, std::move(create)});
}
