#include "indicators/Kinds.h"

namespace qm {

std::unique_ptr<TOscObj> TOscObj::Create(int kind) {
    switch (kind) {
    case 1:
        return std::make_unique<TAriMAObj>();
    case 2:
        return std::make_unique<TExpMAObj>();
    case 3:
        return std::make_unique<TRegrLineMAObj>();
    case 4:
        return std::make_unique<TMAEnvlObj>();
    case 5:
        return std::make_unique<TSeqObj>();
    case 6:
        return std::make_unique<TComboObj>();
    case 7:
        return std::make_unique<TSetupTrendObj>();
    case 8:
        return std::make_unique<TSupResObj>();
    case 9:
        return std::make_unique<TSwingLineObj>();
    case 10:
        return std::make_unique<TSARObj>();
    case 11:
        return std::make_unique<TRegrObj>();
    case 12:
        return std::make_unique<TSDBandObj>();
    case 13:
        return std::make_unique<TBOChannelObj>();
    case 14:
        return std::make_unique<TBolBandObj>();
    case 15:
        return std::make_unique<TBWIObj>();
    case 16:
        return std::make_unique<TMACDObj>();
    case 17:
        return std::make_unique<TRsi_WObj>();
    case 18:
        return std::make_unique<TRsi_TObj>();
    case 19:
        return std::make_unique<TStochObj>();
    case 20:
        return std::make_unique<TTrixObj>();
    case 21:
        return std::make_unique<TSigmaObj>();
    case 22:
        return std::make_unique<TDeTrendObj>();
    case 23:
        return std::make_unique<TRegrSlpObj>();
    case 24:
        return std::make_unique<TWmsRObj>();
    case 25:
        return std::make_unique<TCCIObj>();
    case 26:
        return std::make_unique<TRocObj>();
    case 27:
        return std::make_unique<TAdxObj>();
    case 28:
        return std::make_unique<TWmsADObj>();
    case 29:
        return std::make_unique<TIntensityObj>();
    case 30:
        return std::make_unique<TVolObj>();
    default:
        return nullptr;
    }
}

} // namespace qm
