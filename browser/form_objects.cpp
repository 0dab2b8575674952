#include "browser/form_objects.h"

#include "shell/text.h"

namespace lirvan {

namespace {

const PageElement& At(const PageSnapshot& snapshot, int index) {
  return snapshot.elements[static_cast<std::size_t>(index)];
}

// "Ara" + " gönder düğmesi": a caption when the page gives one, else the
// sentence alone.
SpeechText Named(const std::string& name, const char* utf8Rest) {
  return Plain(name) + Cp(utf8Rest);
}

void HoldChoice(const PageSnapshot& snapshot, int index, ReadingState& state, WalkEvents& out) {
  const PageElement& field = At(snapshot, index);
  state.m_nChoiceField = index;
  state.m_bChoiceFieldHeld = true;
  out.SpeakAndWait(Plain(field.name));
  out.Speak(ChoiceStateSentence(field.checked));
}

// Step 7: an input of another kind, by its type.
FormResult ReadOtherInput(const PageSnapshot& snapshot, int index, FormVariant variant,
                          ReadingState& state, WalkEvents& out) {
  const PageElement& field = At(snapshot, index);
  const std::string& type = field.type;
  if (type == "button") {
    out.Speak(Named(field.name, " düğmesi"));
    out.Act(PageActionKind::Focus, index);
  } else if (type == "checkbox" || type == "radio") {
    HoldChoice(snapshot, index, state, out);
  } else if (type == "password") {
    out.Speak(Named(field.name, " Şifre Alanı"));
    out.Act(PageActionKind::SelectText, index);
  } else if (type == "reset") {
    out.Speak(Cp("temizle düğmesi"));
    out.Act(PageActionKind::Focus, index);
  } else if (type == "submit") {
    if (field.name.empty()) {
      out.Speak(Cp(variant == FormVariant::Forms ? " gönder düğmesi" : "gönder düğmesi"));
    } else {
      out.Speak(Named(field.name, " gönder düğmesi"));
    }
    out.Act(PageActionKind::Focus, index);
  } else if (type == "text") {
    out.Speak(variant == FormVariant::Forms ? SpeechText(Cp("girdi alanı"))
                                            : Named(field.name, " girdi alanı"));
    out.Act(PageActionKind::SelectText, index);
  } else {
    return FormResult::Silent;
  }
  return FormResult::Spoke;
}

}  // namespace

int OwningList(const PageSnapshot& snapshot, int option) {
  for (int i = At(snapshot, option).parent; i >= 0; i = At(snapshot, i).parent) {
    if (At(snapshot, i).kind == ElementKind::SelectList) return i;
  }
  return -1;
}

std::string ChoiceStateSentence(bool checked) {
  return Cp(checked ? "Seçim alanı seçilmiş durumda iptal etmek için ŞİFT ENTIR tuşuna basınız"
                    : "Seçim alanı seçilmiş değil seçmek için ŞİFT ENTIR tuşuna basınız");
}

FormResult ReadFormObject(const PageSnapshot& snapshot, int index, FormVariant variant,
                          ReadingState& state, WalkEvents& out) {
  const PageElement& field = At(snapshot, index);
  switch (field.kind) {
    case ElementKind::SelectList:
      out.SpeakAndWait(Plain(field.name));
      state.m_bSkipOptions = false;
      return FormResult::Silent;
    case ElementKind::Option:
      if (state.m_bSkipOptions) return FormResult::Silent;
      out.Speak(Cp("Seçenek ") + Plain(field.text));
      out.Act(PageActionKind::SelectOption, index);
      state.m_nPendingList = OwningList(snapshot, index);
      return FormResult::Spoke;
    case ElementKind::TextInput:
      out.Speak(Named(field.name, variant == FormVariant::Forms ? " girdi Alanı" : " girdi alanı"));
      out.Act(PageActionKind::SelectText, index);
      return FormResult::Spoke;
    case ElementKind::TextArea:
      out.Speak(Named(field.name, " metin girdi alanı"));
      out.Act(PageActionKind::SelectText, index);
      return FormResult::Spoke;
    case ElementKind::InputButton:
    case ElementKind::Button:
      out.Speak(Named(field.name, " düğmesi"));
      out.Act(PageActionKind::Focus, index);
      return FormResult::Spoke;
    case ElementKind::Input:
      return ReadOtherInput(snapshot, index, variant, state, out);
    default:
      return FormResult::NotFormObject;
  }
}

}  // namespace lirvan
