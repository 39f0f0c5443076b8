#include "projects/ProjectRecord.h"

namespace ProjectRecord {

const RecordLayout &layout()
{
    static const RecordLayout l(Fields);
    return l;
}

}
