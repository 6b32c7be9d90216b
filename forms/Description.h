#pragma once
// Form descriptions: one text file per form, embedded as an RCDATA resource named after the form's
// class. Syntax (UTF-8):
//   object frmDemo: TfrmDemo          an object: component name, class
//     Caption = '中文 ''quoted'''     a string; '' is a quote
//     Left = -10                      an integer ($ for hex)
//     Visible = False                 an identifier (True, False, clRed, bsNone, a handler name...)
//     Font.Style = [fsBold, fsItalic] a set
//     Items = ('one' 'two')           a list of strings (commas optional)
//     OnClick = btnOKClick            an event, bound by name to the form's handler
//     object btnOK: TButton ... end   a child: a control on its parent, an item of its menu
//   end
// '//' starts a comment to the end of the line.
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "Classes.h"

struct PropValue {
  enum Kind { kInt, kString, kIdent, kSet, kList } kind = kInt;
  long long i = 0;
  std::wstring s;                  // string or identifier
  std::vector<std::wstring> items; // set members or list strings
  int line = 0;

  int AsInt() const;
  bool AsBool() const;
  const std::wstring& AsString() const;
  std::string AsIdent() const;
  const std::vector<std::wstring>& AsSet() const;
  const std::vector<std::wstring>& AsStrings() const;
};

struct DescNode {
  std::string name, className;
  int line = 0;
  std::vector<std::pair<std::string, PropValue>> props;
  std::vector<std::unique_ptr<DescNode>> children;
};

// Parses a description; throws EFormDescription naming the form (source) and the line.
std::unique_ptr<DescNode> ParseDescription(const std::string& utf8, const std::string& source);

// Makes a component of a class named in a description.
using ComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterComponentClass(const std::string& className, ComponentFactory factory);
// The factory of a registered class; null for a class never registered.
const ComponentFactory* FindComponentFactory(const std::string& className);

// Each name written once, so that a member can't be bound to another component's name:
//   Binder<TfrmDemo>(this).Bind(QV_MEMBER(btnOK)).On(QV_HANDLER(btnOKClick))
// QV_HANDLER is used inside the form's member functions (its class is the one of this).
#define QV_MEMBER(field) #field, field
#define QV_HANDLER(handler) #handler, &std::remove_pointer_t<decltype(this)>::handler

// What a form binds: its component members and its handlers, both by name.
class FormBinder {
 public:
  template <class T>
  FormBinder& Bind(const char* name, T*& field) {
    components_[name] = [&field](TComponent* c) {
      field = dynamic_cast<T*>(c);
      return field != nullptr;
    };
    return *this;
  }
  // An array of members named by the array's name and the index, from first on:
  //   BindNumbered(QV_MEMBER(NArray), 1) binds NArray1 .. NArray8 to NArray[1] .. NArray[8].
  template <class T, size_t N>
  FormBinder& BindNumbered(const char* name, T* (&fields)[N], size_t first) {
    for (size_t i = first; i < N; ++i) Bind((name + std::to_string(i)).c_str(), fields[i]);
    return *this;
  }
  void AddHandler(const std::string& name, std::any fn) { handlers_[name] = std::move(fn); }

  const std::map<std::string, std::function<bool(TComponent*)>>& Components() const { return components_; }
  const std::any* FindHandler(const std::string& name) const {
    auto it = handlers_.find(name);
    return it == handlers_.end() ? nullptr : &it->second;
  }

 private:
  std::map<std::string, std::function<bool(TComponent*)>> components_;
  std::map<std::string, std::any> handlers_;
};

// The binder of one form class: handlers are the form's member functions, bound to the instance.
template <class C>
class Binder : public FormBinder {
 public:
  explicit Binder(C* self) : self_(self) {}
  template <class... A>
  Binder& On(const char* name, void (C::*fn)(A...)) {
    C* self = self_;
    AddHandler(name, std::function<void(A...)>([self, fn](A... a) { (self->*fn)(std::forward<A>(a)...); }));
    return *this;
  }
  template <class T>
  Binder& Bind(const char* name, T*& field) {
    FormBinder::Bind(name, field);
    return *this;
  }
  template <class T, size_t N>
  Binder& BindNumbered(const char* name, T* (&fields)[N], size_t first) {
    FormBinder::BindNumbered(name, fields, first);
    return *this;
  }

 private:
  C* self_;
};

class TForm;

// Instantiates a parsed description onto a form: creates the components, sets their properties and
// binds members and events through the form's binder. The form then calls Loaded() on each.
class FormLoader {
 public:
  FormLoader(TForm* form, const FormBinder& binder, std::string source);
  void Load(const DescNode& root);

  // The handler named by an event property, of the event's exact type.
  template <class E>
  E Event(const PropValue& v) {
    const std::string name = v.AsIdent();
    const std::any* a = binder_.FindHandler(name);
    if (!a) Fail(v.line, "no handler '" + name + "' in the form");
    const E* e = std::any_cast<E>(a);
    if (!e) Fail(v.line, "handler '" + name + "' does not fit the event");
    return *e;
  }
  [[noreturn]] void Fail(int line, const std::string& what) const;
  const std::string& Source() const { return source_; }

 private:
  void Instantiate(const DescNode& node, TComponent* parent);
  void ApplyProps(TComponent* c, const DescNode& node);

  TForm* form_;
  const FormBinder& binder_;
  std::string source_;
  std::map<std::string, bool> bound_;
};

// Loads the text of the RCDATA resource of that name from the running module.
std::string LoadDescriptionResource(const std::wstring& resourceName);

// The forms a program can make, by class name, for the test that loads every description.
struct FormClassEntry {
  std::string className;
  std::function<TForm*()> create;
};
std::vector<FormClassEntry>& RegisteredFormClasses();
void RegisterFormClass(const std::string& className, std::function<TForm*()> create);
