// The form-object step in both variants, and the form-objects mode over
// selection lists, skipped options and choice fields.
#include <gtest/gtest.h>

#include "browser/form_objects.h"
#include "snapshot_builder.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;
using K = ElementKind;

struct FieldCase {
  const char* name;
  ElementPlan field;
  FormResult result;
  Lines forms;  // what the forms variant says and does
  Lines smart;  // and the smart variant, when it differs (empty: the same)
};

TEST(FormObjects, EachKindOfFieldInBothVariants) {
  const FieldCase cases[] = {
      {"text input", {"INPUT", "", -1, K::TextInput, "Ad", "text"}, FormResult::Spoke,
       {"Speak\tAd girdi Alanı", "select 0"}, {"Speak\tAd girdi alanı", "select 0"}},
      {"text area", {"TEXTAREA", "", -1, K::TextArea, "Mesaj"}, FormResult::Spoke,
       {"Speak\tMesaj metin girdi alanı", "select 0"}, {}},
      {"input button", {"INPUT", "", -1, K::InputButton, "Hesapla", "button"}, FormResult::Spoke,
       {"Speak\tHesapla düğmesi", "focus 0"}, {}},
      {"button element", {"BUTTON", "Gönder", -1, K::Button, "Gönder"}, FormResult::Spoke,
       {"Speak\tGönder düğmesi", "focus 0"}, {}},
      {"password", {"INPUT", "", -1, K::Input, "Parola", "password"}, FormResult::Spoke,
       {"Speak\tParola Şifre Alanı", "select 0"}, {}},
      {"reset", {"INPUT", "", -1, K::Input, "Sil", "reset"}, FormResult::Spoke,
       {"Speak\ttemizle düğmesi", "focus 0"}, {}},
      {"submit without caption", {"INPUT", "", -1, K::Input, "", "submit"}, FormResult::Spoke,
       {"Speak\t gönder düğmesi", "focus 0"}, {"Speak\tgönder düğmesi", "focus 0"}},
      {"submit with caption", {"INPUT", "", -1, K::Input, "Ara", "submit"}, FormResult::Spoke,
       {"Speak\tAra gönder düğmesi", "focus 0"}, {}},
      {"text by type", {"INPUT", "", -1, K::Input, "Ad", "text"}, FormResult::Spoke,
       {"Speak\tgirdi alanı", "select 0"}, {"Speak\tAd girdi alanı", "select 0"}},
      {"hidden", {"INPUT", "", -1, K::Input, "gizli", "hidden"}, FormResult::Silent, {}, {}},
      {"file", {"INPUT", "", -1, K::Input, "Dosya", "file"}, FormResult::Silent, {}, {}},
      {"selection list", {"SELECT", "A B", -1, K::SelectList, "Şehir"}, FormResult::Silent,
       {"SpeakAndWait\tŞehir"}, {}},
      {"paragraph", {"P", "Metin"}, FormResult::NotFormObject, {}, {}},
      {"link", {"A", "Metin", -1, K::Anchor}, FormResult::NotFormObject, {}, {}},
  };
  for (const FieldCase& c : cases) {
    for (const FormVariant variant : {FormVariant::Forms, FormVariant::Smart}) {
      SCOPED_TRACE(std::string(c.name) + (variant == FormVariant::Forms ? " (forms)" : " (smart)"));
      SnapshotBuilder page;
      page.Add(c.field);
      ReadingState state;
      WalkEvents out;
      EXPECT_EQ(ReadFormObject(page.Build(), 0, variant, state, out), c.result);
      const Lines& expected = variant == FormVariant::Smart && !c.smart.empty() ? c.smart : c.forms;
      EXPECT_EQ(Render(out), expected);
    }
  }
}

TEST(FormObjects, ChoiceFieldsAreHeldWithTheirState) {
  for (const char* type : {"checkbox", "radio"}) {
    for (const bool checked : {false, true}) {
      SCOPED_TRACE(std::string(type) + (checked ? " checked" : " unchecked"));
      SnapshotBuilder page;
      page.Add({"P", "Metin"});
      page.Add({"INPUT", "", -1, K::Input, "Bülten", type, checked});
      ReadingState state;
      WalkEvents out;
      EXPECT_EQ(ReadFormObject(page.Build(), 1, FormVariant::Forms, state, out),
                FormResult::Spoke);
      EXPECT_EQ(Render(out),
                (Lines{"SpeakAndWait\tBülten",
                       checked ? "Speak\tSeçim alanı seçilmiş durumda iptal etmek için ŞİFT "
                                 "ENTIR tuşuna basınız"
                               : "Speak\tSeçim alanı seçilmiş değil seçmek için ŞİFT ENTIR "
                                 "tuşuna basınız"}));
      EXPECT_TRUE(state.m_bChoiceFieldHeld);
      EXPECT_EQ(state.m_nChoiceField, 1);
    }
  }
}

PageSnapshot ListPage() {
  SnapshotBuilder page;
  const int list = page.Add({"SELECT", "Ankara İzmir Van", -1, K::SelectList, "Şehir"});
  const int group = page.Add({"OPTGROUP", "", list});
  page.Add({"OPTION", "Ankara", group, K::Option});
  page.Add({"OPTION", "İzmir", group, K::Option});
  page.Add({"OPTION", "Van", group, K::Option});
  page.Add({"INPUT", "", -1, K::TextInput, "Ad", "text"});
  return page.Build();
}

TEST(FormObjects, SelectionListIsReadOptionByOption) {
  ReadingState state;
  SetReadingMode(state, ReadingMode::Forms);
  const PageSnapshot page = ListPage();
  EXPECT_EQ(Render(ReadNext(page, state)),
            (Lines{"SpeakAndWait\tŞehir", "Speak\tSeçenek Ankara", "option 2"}));
  EXPECT_EQ(state.m_nPendingList, 0) << "Enter now commits the list";
  EXPECT_EQ(Render(ReadNext(page, state)), (Lines{"Speak\tSeçenek İzmir", "option 3"}));
  EXPECT_EQ(OwningList(page, 3), 0);
  EXPECT_EQ(OwningList(page, 5), -1);
}

TEST(FormObjects, SkippedOptionsArePassedUntilTheNextField) {
  ReadingState state;
  SetReadingMode(state, ReadingMode::Forms);
  const PageSnapshot page = ListPage();
  ReadNext(page, state);
  state.m_bSkipOptions = true;
  EXPECT_EQ(Render(ReadNext(page, state)), (Lines{"Speak\tAd girdi Alanı", "select 5"}));
  EXPECT_EQ(state.m_nPendingList, -1) << "no list to commit any more";
  // The next list is read again in full.
  EXPECT_EQ(Render(ReadNext(page, state)), (Lines{"Speak\tSayfanın sonu"}));
  EXPECT_EQ(Render(ReadNext(page, state)),
            (Lines{"SpeakAndWait\tŞehir", "Speak\tSeçenek Ankara", "option 2"}));
}

}  // namespace
}  // namespace lirvan::test
