#pragma once

class cApl;
class cBase;
class cDao;
class cFile;
class cIni;

/// The program-wide service objects, each created on first use.
cBase &gBase();
cDao &gDao();
cApl &gApl();
cFile &gFile();
/// The settings file; it lives until the program ends (releaseGlobals keeps it).
cIni &gIni();

/// Releases the global service objects in shut-down order (cApl, cFile, cDao,
/// cBase); a later use creates them anew. The settings-file object stays.
void releaseGlobals();
