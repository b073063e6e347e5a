#include "preproc/private_interp.h"

#include "interp/errors.h"
#include "interp/evaluator.h"

#include <cstdlib>

namespace {

// Commands reach the interpreter through _pglobal_interp, so it points at the
// private interpreter while that one works.
class InterpSwitch {
  public:
    explicit InterpSwitch(Interpreter* interp) : saved_(_pglobal_interp) {
        _pglobal_interp = interp;
    }
    ~InterpSwitch() { _pglobal_interp = saved_; }
    InterpSwitch(const InterpSwitch&) = delete;
    InterpSwitch& operator=(const InterpSwitch&) = delete;

  private:
    Interpreter* saved_;
};

} // namespace

Interpreter* createPrivateInterp() {
    Interpreter* interp = static_cast<Interpreter*>(std::calloc(1, sizeof(Interpreter)));
    if (!interp) return nullptr;
    InterpSwitch use(interp);
    zorakInitInterp(interp);
    zorakRegisterCommands(interp);
    zorakSetGlobal(interp, "errorInfo", "");
    zorakSetGlobal(interp, "errorMsg", "");
    zorakSetGlobal(interp, "errorLine", "0");
    zorakSetGlobal(interp, "errorCode", "0");
    zorakSetStandardVars(interp, 0, nullptr);
    return interp;
}

void destroyPrivateInterp(Interpreter* interp) {
    if (!interp) return;
    {
        InterpSwitch use(interp);
        zorakReleaseInterp(interp);
    }
    std::free(interp);
}

int evaluateInPrivateInterp(Interpreter* interp, const char* script, std::string* value) {
    if (!interp) return ERROR;
    InterpSwitch use(interp);
    int code = kuvetEval(interp, script, 0, 0);
    *value = interp->result ? interp->result : "";
    return code;
}
