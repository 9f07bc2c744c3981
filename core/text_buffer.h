// Byte work on zero-terminated ANSI text held in fixed buffers; no C runtime.
#pragma once

// Every text the program stores or reads from the platform fits one of these with its zero.
constexpr unsigned TextBufferSize = 260;

inline unsigned TextLength(const char* text)
{
    unsigned length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

// Copies at most size - 1 bytes of source and always terminates; returns the length copied.
inline unsigned CopyText(char* destination, const char* source, unsigned size)
{
    unsigned length = 0;
    while (length + 1 < size && source[length] != '\0') {
        destination[length] = source[length];
        ++length;
    }
    destination[length] = '\0';
    return length;
}

// Appends source after the text already in destination, within size bytes in all.
inline unsigned AppendText(char* destination, const char* source, unsigned size)
{
    unsigned length = TextLength(destination);
    if (length + 1 >= size)
        return length;
    return length + CopyText(destination + length, source, size - length);
}

// Appends source as AppendText does, with every '&' written twice; a pair is never cut in two.
// A button caption takes '&' as the mark of the next letter and shows "&&" as one '&'.
inline unsigned AppendDoublingAmpersands(char* destination, const char* source, unsigned size)
{
    unsigned length = TextLength(destination);
    for (; *source != '\0'; ++source) {
        bool mark = *source == '&';
        if (length + 1 + mark >= size)
            break;
        if (mark)
            destination[length++] = '&';
        destination[length++] = *source;
    }
    destination[length] = '\0';
    return length;
}
