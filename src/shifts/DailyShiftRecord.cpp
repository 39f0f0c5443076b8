#include "shifts/DailyShiftRecord.h"

namespace DailyShiftRecord {

const RecordLayout &layout()
{
    static const RecordLayout l(Fields);
    return l;
}

}
