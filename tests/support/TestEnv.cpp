// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestEnv.h"

namespace brelin::test {

QString dataDir()
{
    return QStringLiteral(BRELIN_TEST_DATA_DIR);
}

QString sourceDir()
{
    return QStringLiteral(BRELIN_SOURCE_DIR);
}

} // namespace brelin::test
