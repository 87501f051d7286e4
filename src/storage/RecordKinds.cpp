#include "RecordKinds.h"

namespace storage {

const RecordKind* recordKindOf(const QByteArray& name) {
    for (const RecordKind& kind : kRecordKinds) {
        if (name.endsWith(kind.ending))
            return &kind;
    }
    return nullptr;
}

} // namespace storage
