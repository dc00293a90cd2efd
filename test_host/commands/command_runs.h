// The functions that run the test host's commands, one for each row of the
// command table; each returns the exit status. The Windows ones are in the
// *_command_win32.cpp files; the native tests link stand-ins.
#pragma once

struct TCommand;

int RunHelp(const TCommand& command);
int RunVersion(const TCommand& command);
int RunInfo(const TCommand& command);
int RunCards(const TCommand& command);
int RunSet(const TCommand& command);
int RunPlay(const TCommand& command);
int RunIdentify(const TCommand& command);
int RunOff(const TCommand& command);
int RunPanel(const TCommand& command);
int RunTry(const TCommand& command);
int RunTimeline(const TCommand& command);
