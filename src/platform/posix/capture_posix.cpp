// Command output capture on Linux: the line runs under /bin/sh -c.
#include "platform/platform.h"

bool platformCaptureCommand(const std::string& words, PlatformOutputSink sink, void* data) {
    return platformSpawnCapture({"/bin/sh", "-c", words}, "/bin/sh -c " + words, true, sink, data);
}
