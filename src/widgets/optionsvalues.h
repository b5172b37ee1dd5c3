#pragma once

#include <QString>

#include <array>

// Everything the options window edits, as plain values: read from the user's
// settings, from the factory defaults, or from the window's controls, and
// written back in one go.
struct OptionsValues
{
    struct Colour
    {
        QString name;
        QString rgb;
    };
    // The default colour, then presets One to Five.
    static constexpr int kColourCount = 6;
    std::array<Colour, kColourCount> colours;
    bool hideWarning = false;
    bool deleteWarning = false;
    bool closeWarning = false;
    bool playSound = false;
    QString soundFile;
    // As typed; an empty field counts as 0.
    QString widthText;
    QString heightText;
    QString dateFormat;
    bool useTaskBar = false;
    bool autoRun = false;
    // The folder the notes are kept in step through; empty: not kept in step.
    QString syncFolder;
    // The key for a new note from any program, as portable text; empty: none.
    QString globalShortcut;

    static constexpr int kMinimumSize = 50;
    static constexpr int kMaximumSize = 500;

    // The user's current choices and whether the program starts at log-in.
    static OptionsValues fromUserSettings();
    // The factory values; start at log-in is always on.
    static OptionsValues factoryDefaults();

    // True when both sizes lie within 50 to 500 pixels.
    bool sizesAreValid() const;
    static bool isValidSize(const QString &text);

    // Writes every value to the user's settings, then switches start at
    // log-in on or off. Callers check the sizes first. Returns false when
    // start at log-in could not be brought into the state asked for.
    bool save() const;
};
