#pragma once
#include "core/KvLevelsDlgData.h"
#include "platform/ui/Dialog.h"

// The levels dialog (template DLG_LEVELS): browse the model's named levels,
// change a level's value, add levels (a new one's reference can be chosen
// until another level is shown) and delete them, all on a copy of the record.
class KvLevelsDlg : public ui::Dialog {
 public:
  // Refused names are asked again at most this often.
  static constexpr int kMaxNameQuestions = 20;

  explicit KvLevelsDlg(const KvLevelsDlgData& data);
  bool onInitDialog() override;
  void onOK() override;
  const KvLevelsDlgData& data() const { return data_; }
  int currentLevel() const { return current_; }

 private:
  void fillLevelList();
  void showLevel(int index);
  void storeLevel();
  void addLevel();
  void deleteLevel();
  // Asks for the name of a new level until it is free; false when the user
  // cancels, leaves it empty or runs out of questions.
  bool askNewName(Nx_String& name);
  void setEnabling();

  KvLevelsDlgData data_;
  int current_ = 0;
  bool newLevel_ = false;
};
