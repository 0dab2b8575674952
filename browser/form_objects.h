#pragma once
// The form-object step: whether one element is a form field, what is said
// of it, and where the user is put to act on it. Used by the form-objects
// and smart reading modes, once per examined element.
#include "browser/page_snapshot.h"
#include "browser/reading_walk.h"
#include "browser/walk_events.h"

namespace lirvan {

enum class FormVariant { Forms, Smart };

enum class FormResult {
  Spoke,          // a field was spoken: the walk stops
  Silent,         // a form object, nothing spoken: the walk goes on
  NotFormObject,
};

FormResult ReadFormObject(const PageSnapshot& snapshot, int index, FormVariant variant,
                          ReadingState& state, WalkEvents& out);

// The selection list an option belongs to, or -1.
int OwningList(const PageSnapshot& snapshot, int option);

// The sentence that tells whether a held choice field is checked.
std::string ChoiceStateSentence(bool checked);

}  // namespace lirvan
