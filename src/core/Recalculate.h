#pragma once

// The calculation of a mix design: from the document's texts (and the corrected recipe already
// in `numbers`) to the volume fractions, the two mix curves, the reference curve, the
// deviations, the divergence and its band.
//
// Every statement stands alone: one that fails is skipped and its target keeps its previous
// value, so an unfinished table leaves the last numbers standing. Nothing here touches a window.

class ProjectDocument;
struct MixNumbers;

void recalculate(const ProjectDocument &document, MixNumbers &numbers);
