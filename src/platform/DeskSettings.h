#pragma once

#include <QString>
#include <optional>

// What one desk keeps for itself, beside the company year's settings that every desk of an
// installation shares: its own scale (when two platforms share one installation) and the
// printer of its slips. Kept in desk.ini in the configuration folder and read when the weighing
// window opens.
namespace platform {

// The desk's own scale; the same settings as the station row, overriding it.
struct DeskScale {
    int link = 0;   // 1-4, as the station row's ComLan
    int format = 2; // as WghtFmt
    int com = 0;    // serial port number
    double speed = 0;
    QString host;
    QString tcpPort;
};

enum class SlipPaper { Roll58, Roll80, A6 };

struct SlipPrinter {
    enum class Kind { Off, Queue, EscPos, PdfFolder };
    Kind kind = Kind::Off;
    QString target; // the queue's name, the device, or the folder
    int columns = 48;                   // ESC/POS characters a line: 32 (58 mm) or 48 (80 mm)
    SlipPaper paper = SlipPaper::Roll80; // the page of a queue or a folder
};

struct DeskSettings {
    std::optional<DeskScale> scale; // none: the station row's scale
    SlipPrinter slip;
};

QString deskSettingsFile();
// Where the desk keeps its slips until they are printed (beside desk.ini).
QString waitingSlipsFolder();
DeskSettings readDeskSettings();
// Empty text when written, else why not.
QString writeDeskSettings(const DeskSettings& settings);

// "58mm", "80mm", "A6"; and back (nothing for an unknown word).
QString paperName(SlipPaper paper);
std::optional<SlipPaper> paperFromName(const QString& name);
// The settings in words, one a line, as `tarvolen-admin desk show` prints them.
QString describeDeskSettings(const DeskSettings& settings);

} // namespace platform
