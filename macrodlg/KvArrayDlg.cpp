// The array dialog: counts and spacings of the copies of the selected objects.
#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "dialogs/KvFieldBinding.h"
#include "macrodlg/DynArrayData.h"
#include "platform/arx/acutil.h"

namespace {
// More copies than this are a typing slip, not an array.
constexpr int kMaxCount = 1000;
constexpr double kMaxSpacing = 1e6;  // mm
}  // namespace

bool StartArrayDlg(DynArrayData& data, const AcArray<AcDbObjectId>& ids, const Nx_String& title) {
  return guardExport("StartArrayDlg", false, [&] {
    if (ids.isEmpty()) {
      acutPrintf("Array: no objects are selected.\n");
      return false;
    }
    KvResourceScope scope;
    using D = DynArrayData;
    KvTableLayout def;
    def.caption = title.isEmpty() ? Nx_String("Array") : title;
    def.heading = Nx_String(ids.length()) + (ids.length() == 1 ? " object" : " objects") +
                  " selected; counts include the original.";
    return editFields<D>(def,
                         {wholeField("Count X", &D::countX, 1, kMaxCount),
                          numberField("Spacing X (mm)", &D::spacingX, -kMaxSpacing, kMaxSpacing),
                          wholeField("Count Y", &D::countY, 1, kMaxCount),
                          numberField("Spacing Y (mm)", &D::spacingY, -kMaxSpacing, kMaxSpacing),
                          wholeField("Count Z", &D::countZ, 1, kMaxCount),
                          numberField("Spacing Z (mm)", &D::spacingZ, -kMaxSpacing, kMaxSpacing),
                          checkField("Copy the connections", &D::copyConnections)},
                         data);
  });
}
