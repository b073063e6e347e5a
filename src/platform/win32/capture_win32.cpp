// Command output capture on Windows: the line runs under COMSPEC /C, or as
// a program line when COMSPEC is not set.
#include "platform/platform.h"

bool platformCaptureCommand(const std::string& words, PlatformOutputSink sink, void* data) {
    std::string comspec;
    if (!platformGetEnv("COMSPEC", &comspec)) comspec.clear();
    std::string line = comspec.empty() ? words : comspec + " /C " + words;
    return platformSpawnCapture({line}, line, true, sink, data);
}
