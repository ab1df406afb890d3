#include "support/TestEnv.h"

namespace brelin::test {

QString dataDir()
{
    return QStringLiteral(BRELIN_TEST_DATA_DIR);
}

QString corpusDir()
{
    return QStringLiteral(BRELIN_CORPUS_DIR);
}

QString sourceDir()
{
    return QStringLiteral(BRELIN_SOURCE_DIR);
}

} // namespace brelin::test
