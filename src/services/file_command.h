// The file command: names, facts and changes of files and folders, and the
// channel operations on handles.
#pragma once

#include <string>
#include <vector>

struct Interpreter;

// Path names as the file command reads them: either separator where the
// system takes both, a root ("/", "C:/") as the first part.
std::string zorakPathTail(const std::string& path);
std::string zorakPathDirname(const std::string& path);
std::string zorakPathJoin(const std::string& folder, const std::string& name);
std::vector<std::string> zorakPathSplit(const std::string& path);
// The absolute path with "." and ".." resolved, in forward slashes.
std::string zorakPathNormalize(const std::string& path);
// The path in the system's own separator, doubled separators made single.
std::string zorakNormalPath(const std::string& path);
// Removes a file, a link, or a folder with everything in it.
bool zorakRemoveTree(const std::string& path);

void zorakRegisterFileCommand(Interpreter* interp);

// The file channel commands, the file command and the process commands.
void zorakRegisterFileAndProcessCommands(Interpreter* interp);
