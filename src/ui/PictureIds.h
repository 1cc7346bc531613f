// Ids of the "PNG" resources the program loads (sources in res/pictures/<id>-<name>.svg).
// The application icon 128 is an ICON resource and is not listed here.
#pragma once

constexpr int kPictureIds[] = {
    133, 134, 135, 136,                      // task icons: video, music, playlist, settings
    143, 169, 197,                           // speakers: video sound on, muted, music sound on
    157, 158,                                // switch off, on
    162,                                     // about page: where the tray popup is
    166,                                     // task icon selected: video
    170, 171, 172, 174,                      // monitor panel rows: overlay, vertical, size mode, horizontal
    175, 176,                                // check box off, on
    177,                                     // header line
    178,                                     // hint "i"
    179, 180, 181,                           // task icons selected: settings, music, playlist
    182, 183, 186, 187, 188, 191,            // slider thumbs and channels
    193, 195,                                // header buttons: hide, minimise
    198, 199, 200,                           // display options: each, span, duplicate
    201, 202,                                // playlist rows: music, video
    204,                                     // plus
    209,                                     // combo box chevron
    210,                                     // text field clear button
    211, 212,                                // monitor tab icon, hot
    213, 214, 215, 216, 217, 218, 219, 220,  // tray buttons: pause, play, open, quit (normal, hot)
    221, 222, 223, 224,                      // tray buttons: mute, unmute (normal, hot)
    225,                                     // tray popup frame
    226,                                     // edit
    229, 230,                                // task icon Quick Start, selected
    235,                                     // edit under the mouse
    236,                                     // slider thumb while dragged
};
