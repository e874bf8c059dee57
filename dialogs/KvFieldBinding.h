#pragma once
#include <functional>
#include <vector>

#include "dialogs/KvRecordTableDlg.h"

// A field of a record bound to a member: the table dialogs edit texts, the
// binding turns the member into its text and back. A record editor is then
// its table layout and a list of bindings.
template <class R>
struct KvBoundField {
  KvFieldDef def;
  std::function<Nx_String(const R&)> get;
  std::function<void(R&, const Nx_String&)> set;
};

template <class R>
KvBoundField<R> textField(Nx_String caption, Nx_String R::*member, bool required = false) {
  return {KvFieldDef::text(std::move(caption), required),
          [member](const R& r) { return r.*member; },
          [member](R& r, const Nx_String& t) { r.*member = t; }};
}

template <class R>
KvBoundField<R> wholeField(Nx_String caption, int R::*member, int min, int max) {
  return {KvFieldDef::whole(std::move(caption), min, max),
          [member](const R& r) { return Nx_String(r.*member); },
          [member](R& r, const Nx_String& t) { r.*member = t.toInt(); }};
}

template <class R>
KvBoundField<R> numberField(Nx_String caption, double R::*member, double min, double max) {
  return {KvFieldDef::number(std::move(caption), min, max),
          [member](const R& r) { return numberText(r.*member); },
          [member](R& r, const Nx_String& t) { r.*member = t.toDouble(); }};
}

// An int member that numbers the choices; an out-of-range one shows as the first.
template <class R>
KvBoundField<R> choiceField(Nx_String caption, int R::*member, Nx_StringArray choices) {
  Nx_StringArray names = choices;
  return {KvFieldDef::choice(std::move(caption), std::move(choices)),
          [member, names](const R& r) {
            return names.isValid(r.*member) ? names[r.*member] : names[0];
          },
          [member, names](R& r, const Nx_String& t) { r.*member = names.find(t, true); }};
}

template <class R>
KvBoundField<R> checkField(Nx_String caption, bool R::*member) {
  return {KvFieldDef::check(std::move(caption)),
          [member](const R& r) { return checkText(r.*member); },
          [member](R& r, const Nx_String& t) { r.*member = isChecked(t); }};
}

// Shown, never edited.
template <class R>
KvBoundField<R> lockedField(KvBoundField<R> field) {
  field.def.readOnly = true;
  return field;
}

template <class R>
std::vector<KvFieldDef> defsOf(const std::vector<KvBoundField<R>>& fields) {
  std::vector<KvFieldDef> defs;
  for (const auto& f : fields) defs.push_back(f.def);
  return defs;
}

template <class R>
Nx_StringArray textsOf(const std::vector<KvBoundField<R>>& fields, const R& record) {
  Nx_StringArray texts;
  for (const auto& f : fields) texts.append(f.get(record));
  return texts;
}

// Only texts that the dialog has checked against the defs come back here.
template <class R>
void setFromTexts(const std::vector<KvBoundField<R>>& fields, const Nx_StringArray& texts,
                  R& record) {
  for (size_t i = 0; i < fields.size(); ++i) fields[i].set(record, texts[static_cast<int>(i)]);
}

template <class R>
KvRecordTableDlg::Rows rowsOf(const std::vector<KvBoundField<R>>& fields,
                              const Nx_Array<R>& items) {
  KvRecordTableDlg::Rows rows;
  for (const R& item : items) rows.append(textsOf(fields, item));
  return rows;
}

template <class R>
Nx_Array<R> itemsOf(const std::vector<KvBoundField<R>>& fields,
                    const KvRecordTableDlg::Rows& rows) {
  Nx_Array<R> items;
  for (const Nx_StringArray& row : rows) {
    R item;
    setFromTexts(fields, row, item);
    items.append(item);
  }
  return items;
}

// Modal editors on a copy: true, and the record changed, on OK.
template <class R>
bool editItems(KvTableLayout def, const std::vector<KvBoundField<R>>& fields, Nx_Array<R>& items) {
  def.layout = KvTableLayout::Layout::Records;
  def.fields = defsOf(fields);
  KvRecordTableDlg::Rows rows = rowsOf(fields, items);
  if (!KvRecordTableDlg::edit(def, rows)) return false;
  items = itemsOf(fields, rows);
  return true;
}

template <class R>
bool editFields(KvTableLayout def, const std::vector<KvBoundField<R>>& fields, R& record) {
  def.layout = KvTableLayout::Layout::Fields;
  def.fields = defsOf(fields);
  Nx_StringArray texts = textsOf(fields, record);
  if (!KvRecordTableDlg::edit(def, texts)) return false;
  R edited = record;  // members without a field keep their values
  setFromTexts(fields, texts, edited);
  record = edited;
  return true;
}
