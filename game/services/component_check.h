#pragma once

#include <QList>
#include <QString>

#include <functional>

class AppContext;

// A library file the game needs and the Debian package that provides it,
// named in the log's advice when the file cannot be loaded.
struct NeededComponent {
    QString fileName;
    QString package; // empty: the file comes with Zorbel itself
    // The media playback library: its failure adds the media advice lines.
    bool mediaPlayback = false;
};

// The start-up check that every library the game needs can be loaded. What
// it finds goes to the log, not to the host; it never stops the start-up.
//
// This platform has nothing to register: a library that does not load is
// missing or broken, and reinstalling its package (or Zorbel, for the
// button library) is the fix the log advises.
// No request for administrator rights is made, so after "Attempting to
// register file ..." the second look is simply another load.
class ComponentCheck
{
public:
    // Loads the library of that file name and unloads it again; whether the
    // load succeeded.
    using LibraryLoader = std::function<bool(const QString &fileName)>;

    explicit ComponentCheck(AppContext &context, LibraryLoader loader = loadLibraryByName);

    // Whether the library loads through the loader. A failure inside shows
    // the report for "IsDLLAvailable" (a function) and returns false.
    bool IsDLLAvailable(const QString &fileName);

    // Logs, component by component, whether its file is in the program
    // directory and whether it loads, with advice for the ones that do not.
    // A failure ends the check with the report "registerNeededFiles".
    void registerNeededFiles();

    // The splash window's step: the first call of a run logs "Checking For
    // Needed Registry Files" and runs registerNeededFiles; later calls (the
    // About box) do nothing. Returns whether the check ran.
    bool checkOncePerRun();

    // The button library first, then the libraries for the window skin,
    // rich text and media playback; each is looked for in the program
    // directory before it is loaded.
    static QList<NeededComponent> firstList();
    // The tab control's library, only loaded.
    static QList<NeededComponent> secondList();

    // The real loader: QLibrary by file name through the system's normal
    // search, unloaded at once.
    static bool loadLibraryByName(const QString &fileName);

private:
    void checkLoads(const NeededComponent &component, bool firstList);

    AppContext &m_context;
    LibraryLoader m_loader;
};

// The short form of a path. Paths here have no short form besides
// themselves, so the path comes back unchanged.
QString GetShortName(const QString &path);
