// Every suite the stand-in host offers: the 133 of the catalog
// (hostapi/suite_catalog.h) that the Orvelk plug-in acquires for each
// message. Each suite the plug-in calls is served by its family's folder
// (standin/suites/<family>/) with its working record, laid out as the host's
// table with traps in the slots no call reaches (standin/host/slot_traps.h);
// the others with a record of traps alone, so that acquiring and releasing
// them works and is counted, and any call of them is caught.
#pragma once

namespace standin {

// Registers every suite of the catalog, over whatever was registered under
// their names and versions. Repeating it does no harm.
void RegisterHostSuites();

}  // namespace standin
