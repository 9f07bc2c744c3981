// The four configured copies of the managed program, the existence test and the button labels.
#pragma once

#include "text_buffer.h"

constexpr int SlotCount = 4;

// "&N. ", a description or path of at most 259 characters with every '&' doubled, and the zero:
// the longest caption, 259 '&' shown, arrives whole.
constexpr unsigned CaptionBufferSize = 4 + 2 * (TextBufferSize - 1) + 1;

struct CopySlot {
    char path[TextBufferSize];          // the copy's executable; empty when not configured
    char description[TextBufferSize];   // shown on the button in place of the path; may be empty
};

// Slots are numbered 1 to 4: use SlotAt(n), never CopyTable[n].
extern CopySlot CopyTable[SlotCount];

inline CopySlot& SlotAt(int slot) { return CopyTable[slot - 1]; }

// True when a directory search accepts the path as given; always false for an empty path.
bool FileExists(const char* path);

// Recaptions the main window's four copy buttons from the table and the file system as they are now.
void RefreshSlotLabels();
