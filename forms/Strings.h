#pragma once
// A list of strings, as the item lists of list and combo boxes, radio groups and memos hold it. A
// control's list keeps its window in step through the change hooks, so the list can be filled before
// or after the window exists.
#include <string>
#include <vector>

class TStrings {
 public:
  virtual ~TStrings() = default;
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;

  int Count() const { return int(items_.size()); }
  const std::wstring& operator[](int i) const { return Strings(i); }
  const std::wstring& Strings(int i) const;  // raises an "List index out of bounds" error outside 0..Count-1
  void Put(int i, const std::wstring& s);
  int Add(const std::wstring& s);
  void Insert(int i, const std::wstring& s);
  void Delete(int i);
  void Clear();
  int IndexOf(const std::wstring& s) const;  // exact, case-sensitive; -1 when absent
  // Swaps the texts of two lines (what else belongs to a line, a check mark, stays in place).
  void Exchange(int a, int b);
  void Move(int from, int to);
  // Whole lists: a control may show them in one step instead of one change per line.
  virtual void Assign(const std::vector<std::wstring>& lines);
  virtual void AddStrings(const std::vector<std::wstring>& lines);
  const std::vector<std::wstring>& List() const { return items_; }
  // The lines joined, each ended by CR LF.
  std::wstring Text() const;
  void SetText(const std::wstring& text);

 protected:
  // Change hooks for the window that shows the list.
  virtual void Inserted(int) {}
  virtual void Deleted(int) {}
  virtual void Replaced(int) {}
  virtual void Cleared() {}
  void CheckIndex(int i, int limit) const;
  std::vector<std::wstring> items_;
};

using TStringList = TStrings;
