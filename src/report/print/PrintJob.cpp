#include "PrintJob.h"

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
    return factory() ? factory()() : nullptr;
}

void setPrintJobFactory(PrintJobFactory f)
{
    factory() = std::move(f);
}
