// Informe de texto "resultados.txt": modelo y último análisis.
#include <algorithm>
#include <fstream>
#include <locale>
#include <string>
#include <vector>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"

void funcionPrint()
{
    std::ofstream f("resultados.txt", std::ios::out | std::ios::trunc | std::ios::binary);
    if (!f) {
        return;
    }
    f.imbue(std::locale::classic());

    // Antes de un análisis las matrices están vacías: se escribe lo que hay
    size_t nNudos = std::min(nudo.size(), static_cast<size_t>(std::max(noNudos, 0)));
    size_t nBarras = std::min(barra.size(), static_cast<size_t>(std::max(noBarras, 0)));

    f << "****************NUDOS:*******************\n";
    f << "#nudo interno | #nudoUsuario | X | Y | Z\n";
    for (size_t l = 0; l < nNudos; l++) {
        objNudo3d& n = nudo[l];
        f << n.getNoNudoInterno() << " " << n.getNoNudoUsuario() << " " << n.getX() << " "
          << n.getY() << " " << n.getZ() << "\n";
    }

    f << "\n\n\n" << "****************BARRAS:*******************\n";
    for (size_t k = 0; k < nBarras; k++) {
        objBarra3d& b = barra[k];
        f << "\n";
        f << "#Barra Interna: " << b.getNoBarraInterna() << "\n";
        f << "#Barra Usuario: " << b.getNoBarraUsuario() << "\n";
        f << "   Longitud: " << b.getLongitud() << "\n";
        f << "   Alfa: " << b.getAlfaDeg() << "\n";
        f << "   Beta: " << b.getBetaDeg() << "\n";
        f << "   Gamma: " << b.getGammaDeg() << "\n\n";
        f << "   Sección: " << b.getNombreDeSeccion() << "\n";
        f << "   Area: " << b.getArea() << "\n";
        f << "   Iy: " << b.getIy() << "\n";
        f << "   Iz: " << b.getIz() << "\n";
        f << "   E: " << b.getModE() << "\n";
        f << "   J: " << b.getModJ() << "\n";
        f << "   G: " << b.getModG() << "\n\n";
        f << "   GDL: " << b.getGdl().transpose() << "\n";
        f << "   kLocal: \n" << b.getKLocal() << "\n";
        f << "   kGlobal: \n" << b.getKGlobal() << "\n";

        f << "\n" << "Cargas de combo: [fx1 fx2 qy1, qy2, qz1, qz2, torsion]\n";
        std::vector<std::string> nombres = b.getEtiquetasCombo();
        MatrixXd combos = b.getMatrizCargasCombo();
        // Solo los combos que la barra tiene de verdad
        int nc = std::min({noCombos, static_cast<int>(nombres.size()),
                           static_cast<int>(combos.rows())});
        for (int c = 0; c < nc; c++) {
            f << "   combo: " << nombres[c] << "\n" << combos.row(c) << "\n";
        }

        f << "\n"
          << "Cargas equivalentes locales: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 mx10 my11 "
             "mz12]trans\n"
          << b.getCargasEquivalentesLocales() << "\n";
        f << "\n"
          << "Resultado de Fuerzas Internas en Extremos: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 "
             "mx10 my11 mz12]trans\n"
          << b.getFuerzasExtremos() << "\n";
        f << "\n\n";
    }

    f << "\n\n\n" << "************MATRIZ K ESTRUCTURA***************\n" << kEstructura << "\n";
    f << "\n\n\n"
      << "************VECTOR DE CARGAS PUNTUALES ESTRUCTURA***************\n"
      << pEstructura << "\n";
    f << "\n\n\n"
      << "************VECTOR DE CARGAS DISTRIBUIDAS EQUIVALENTES***************\n"
      << fEstructura << "\n";
    f << "\n\n\n" << "************DESPLAZAMIENTOS***************\n" << "vector u:\n" << u << "\n";
}
