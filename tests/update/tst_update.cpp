#include "IsolatedHome.h"

#include <QCoreApplication>

int runVersionPackingTest(int argc, char *argv[]);
int runTransferTest(int argc, char *argv[]);
int runUpdateCheckTest(int argc, char *argv[]);
int runWebAddressTest(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    const IsolatedHome home;
    // The loopback server is reached directly, whatever proxy the machine uses.
    for (const char *variable :
         {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(variable);
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runVersionPackingTest(argc, argv);
    failures += runTransferTest(argc, argv);
    failures += runUpdateCheckTest(argc, argv);
    failures += runWebAddressTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
