// Marks a text that core hands to the user interface as one to translate, without bringing
// the toolkit into core: the text stays as written here, and the translation tools pick it up
// (as QT_TRANSLATE_NOOP) under `context`. The interface translates it where it shows it, with
// the same context.
#pragma once

#define HB_TR_NOOP(context, text) text
