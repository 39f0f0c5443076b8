#include "schedules/ScheduleRecord.h"

namespace ScheduleRecord {

const RecordLayout &layout()
{
    static const RecordLayout l(Fields);
    return l;
}

}
