#include "db/CZKDataBase.h"

CZKDataBase::CZKDataBase() = default;
CZKDataBase::~CZKDataBase() = default;

bool CZKDataBase::open()
{
    return true;
}

bool CZKDataBase::close()
{
    return true;
}

bool CZKDataBase::loadAll()
{
    return true;
}
