#include "standin/suites/adm/adm_suites.h"

#include "standin/suites/adm/dialog_manager.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

ADMPortRef HOST_CALL DrawerGetPortRef(ADMDrawerRef drawer) {
    return DrawerPort(drawer);
}

}  // namespace

const ADMDrawerSuite* StandinADMDrawerSuite() {
    static const ADMDrawerSuite suite = [] {
        ADMDrawerSuite s = TrappedSuite<ADMDrawerSuite>(kADMDrawerSuiteVersion);
        s.GetPortRef = DrawerGetPortRef;
        return s;
    }();
    return &suite;
}

}  // namespace standin
