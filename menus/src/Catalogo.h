#pragma once

#include <span>

namespace menus {

// What a catalogue row is.
enum class Kind {
    Menu,       // a popup menu; the rows below it, down to the next one, are its items
    Command,    // an item with a handler
    Separator,  // a line between items
    Submenu,    // an item that opens the rows of level 2 below it
    Array,      // an item array: element 0 at design time, more loaded by callers
};

// What choosing an item does to PRespuesta.
enum class Answer {
    Keep,            // nothing: the earlier answer stays
    Set,             // the row's text
    Clear,           // ""
    CaptionTrimmed,  // the chosen element's caption without surrounding spaces
    Tag,             // the chosen element's tag
};

// Design states and handler steps of an item.
enum Flag : int {
    kSalir = 1,    // the handler calls Salir after setting the answer
    kChecked = 2,  // starts with a check mark, and choosing it sets the check mark again
    kHidden = 4,   // starts hidden
};

struct FilaCatalogo {
    int level;  // 0 popup menu, 1 its item, 2 an item of the submenu above
    Kind kind;
    const char* name = "";
    const char* caption = "";
    Answer answer = Answer::Keep;
    const char* text = "";
    int flags = 0;
};

// Every popup menu of the host with its items, in the host's order.
std::span<const FilaCatalogo> Catalogo();

}  // namespace menus
