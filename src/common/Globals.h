#pragma once

class cBase;
class cDao;

/// The program-wide service objects, each created on first use.
cBase &gBase();
cDao &gDao();

/// Releases the global service objects in shut-down order; a later use creates them anew.
void releaseGlobals();
