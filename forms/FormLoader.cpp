// Instantiating a parsed description onto its form. Above the forms, as it creates their
// components; the description's syntax and the class table stay beneath (Description.cpp).
#include "Description.h"
#include "Forms.h"

FormLoader::FormLoader(TForm* form, const FormBinder& binder, std::string source)
    : form_(form), binder_(binder), source_(std::move(source)) {}

void FormLoader::Fail(int line, const std::string& what) const {
  throw EFormDescription(Utf8ToWide("form description " + source_ + ", line " + std::to_string(line) + ": " + what));
}

void FormLoader::ApplyProps(TComponent* c, const DescNode& node) {
  for (const auto& [name, value] : node.props) {
    bool known = false;
    try {
      known = c->SetProperty(name, value, *this);
    } catch (const EFormDescription& e) {
      if (e.Message().rfind(L"form description ", 0) == 0) throw;
      Fail(value.line, "property '" + name + "' of " + node.name + ": " + WideToUtf8(e.Message()));
    } catch (const Exception& e) {
      Fail(value.line, "property '" + name + "' of " + node.name + ": " + WideToUtf8(e.Message()));
    }
    if (!known) Fail(value.line, "unknown property '" + name + "' of " + node.name + " (" + node.className + ")");
  }
}

void FormLoader::Instantiate(const DescNode& node, TComponent* parent) {
  const ComponentFactory* f = FindComponentFactory(node.className);
  if (!f) Fail(node.line, "unknown component class '" + node.className + "' of " + node.name);
  TComponent* c = (*f)(form_);
  c->SetName(Utf8ToWide(node.name));
  ApplyProps(c, node);
  if (auto b = binder_.Components().find(node.name); b != binder_.Components().end()) {
    if (!b->second(c)) Fail(node.line, "component '" + node.name + "' is not of its member's class");
    bound_[node.name] = true;
  }
  c->SetLoading(true);
  c->SetParentComponent(parent);
  for (const auto& child : node.children) Instantiate(*child, c);
}

void FormLoader::Load(const DescNode& root) {
  form_->SetName(Utf8ToWide(root.name));
  if (form_->WindowClassName().empty()) form_->SetWindowClassName(Utf8ToWide(root.className));
  ApplyProps(form_, root);
  form_->HandleNeeded();
  for (const auto& child : root.children) Instantiate(*child, form_);
  for (const auto& [name, bind] : binder_.Components())
    if (!bound_.count(name)) Fail(root.line, "member '" + name + "' has no component in the description");
}
