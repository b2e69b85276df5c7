#include "PrintJob.h"

#include "cPrinter.h"

namespace
{

PrintJobFactory &factory()
{
    static PrintJobFactory f;
    return f;
}

} // namespace

std::unique_ptr<PrintJob> createPrintJob()
{
    if (factory())
        return factory()();
    return std::make_unique<cPrinter>();
}

void setPrintJobFactory(PrintJobFactory f)
{
    factory() = std::move(f);
}
