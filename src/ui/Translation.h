// Whether the texts on screen are the English translation: the few places whose designed
// width holds only the Chinese texts widen for English.
#pragma once

namespace huebird {

bool EnglishTexts();

}  // namespace huebird
