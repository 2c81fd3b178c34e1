// Un archivo que pide una precisión enorme: el cargador la acota y un cuadro
// con todas las etiquetas numéricas se dibuja (antes cada etiqueta pedía
// gigas de memoria y el visor dejaba de responder; el límite es el de CTest).
#include "analysis/analisis.h"
#include "viewer/prueba_teclado_comun.h"

using namespace teclado_prueba;

namespace {

class PrecisionEnorme : public EstadoVisorTest {};

TEST_F(PrecisionEnorme, UnCuadroConEtiquetas)
{
    cargarModelo(std::string(modeloPortico) + "precision: 2147483647\n");
    EXPECT_EQ(precision, 15);
    ASSERT_EQ(noNudos, 5);
    capturarSalida([] { EXPECT_TRUE(funcionSolve()) << mensajeAnalisis; });
    flags[flagCalculado] = 1;
    flags[flagCombos] = 1;
    for (int f : {flagTagNudos, flagTagBarras, flagSecciones, flagDeformada, flagAxial,
                  flagCortanteY, flagMomentoY, flagCarga, flagReacciones, flagCortanteZ,
                  flagMomentoZ, flagTorsion}) {
        flags[f] = 1;
    }
    ASSERT_EQ(flags[flagTextoDiagramas] % 2, 1);
    // el cuadro deja su cámara y sus colores: las demás pruebas no los esperan
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    draw();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

}  // namespace
